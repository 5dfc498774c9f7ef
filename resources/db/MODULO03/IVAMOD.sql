-- VAT modules of each activity.
CREATE TABLE IVAMOD (
  id_iae DOUBLE NOT NULL,
  id_modulo DOUBLE,
  importe DOUBLE
);
