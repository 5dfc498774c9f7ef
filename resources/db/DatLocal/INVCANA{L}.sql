-- Keys of the materialisation of the Canary Islands investment reserve (lookup "INVCANAE.DBF"),
-- list of the {L} interface language.
CREATE TABLE INVCANA{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
