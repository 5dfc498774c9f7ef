-- Holders by the letter typed for them (lookup "TITULARE.TAB"), list of the {L} interface language.
CREATE TABLE TITULAR{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
