-- Activity descriptions (C language).
CREATE TABLE EPIMOD_C (
  ID_IAE DOUBLE NOT NULL,
  descripcio LONGTEXT
);
