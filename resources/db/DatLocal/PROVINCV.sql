-- Provinces, list of the V interface language (lookup "PROVINCE.TAB").
CREATE TABLE PROVINCV (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(50) NOT NULL
);
