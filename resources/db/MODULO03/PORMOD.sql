-- Percentages of each activity.
CREATE TABLE PORMOD (
  ID_IAE DOUBLE NOT NULL,
  porcentaje DOUBLE
);
