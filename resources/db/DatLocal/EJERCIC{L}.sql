-- Tax years of the late-payment interest rows (lookup "EJERCICE.TAB"), list of the {L} interface language.
CREATE TABLE EJERCIC{L} (
  CLAVE VARCHAR(4) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
