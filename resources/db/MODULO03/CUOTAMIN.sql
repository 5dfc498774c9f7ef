-- Minimum VAT quotas of each activity.
CREATE TABLE CUOTAMIN (
  ID_IAE DOUBLE NOT NULL,
  cuota DOUBLE
);
