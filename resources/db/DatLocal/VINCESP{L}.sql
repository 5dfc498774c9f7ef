-- Links of a descendant (lookup "VINCESPE.TAB"), list of the {L} interface language.
CREATE TABLE VINCESP{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
