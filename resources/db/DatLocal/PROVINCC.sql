-- Provinces, list of the C interface language (lookup "PROVINCE.TAB").
CREATE TABLE PROVINCC (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(50) NOT NULL
);
