-- Income-tax modules of each activity.
CREATE TABLE IRPFMOD (
  id_iae INTEGER NOT NULL,
  id_modulo DOUBLE,
  importe DOUBLE,
  ORDENMOD INTEGER
);
