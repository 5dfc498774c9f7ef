-- Other situations of a descendant (lookup "OTRSITUE.TAB"), list of the {L} interface language.
-- The family-data checks rely on the keys '1' to '4'.
CREATE TABLE OTRSITU{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
