-- Provinces by their two-digit INE code, list of the {L} interface language (lookup "PROVINCE.TAB").
CREATE TABLE PROVINC{L} (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(50) NOT NULL
);
