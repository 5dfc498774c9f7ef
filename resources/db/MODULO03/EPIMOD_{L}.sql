-- Activity descriptions ({L} language).
CREATE TABLE EPIMOD_{L} (
  ID_IAE DOUBLE NOT NULL,
  descripcio LONGTEXT
);
