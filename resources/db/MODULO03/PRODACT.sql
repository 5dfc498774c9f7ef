-- Net-yield index of each product in each activity.
CREATE TABLE PRODACT (
  ID_IAE INTEGER NOT NULL,
  ID_PRODUCTO INTEGER NOT NULL,
  INDRTONETO DOUBLE
);
