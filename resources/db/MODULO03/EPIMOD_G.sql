-- Activity descriptions (G language).
CREATE TABLE EPIMOD_G (
  ID_IAE DOUBLE NOT NULL,
  descripcio LONGTEXT
);
