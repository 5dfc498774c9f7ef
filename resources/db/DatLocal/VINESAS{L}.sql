-- Links of an ascendant (lookup "VINESASE.TAB"), list of the {L} interface language.
CREATE TABLE VINESAS{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
