-- Countries and territories by their ISO 3166-1 two-letter code as the list stood in 2003, names of
-- the {L} interface language (lookup "PAISES_E.TAB").
CREATE TABLE PAISES_{L} (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
