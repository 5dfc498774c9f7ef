-- Activity descriptions (V language).
CREATE TABLE EPIMOD_V (
  ID_IAE DOUBLE NOT NULL,
  descripcio LONGTEXT
);
