-- Provinces, list of the G interface language (lookup "PROVINCE.TAB").
CREATE TABLE PROVINCG (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(50) NOT NULL
);
