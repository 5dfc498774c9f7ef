-- Activity descriptions (E language).
CREATE TABLE EPIMOD_E (
  ID_IAE DOUBLE NOT NULL,
  descripcio LONGTEXT
);
