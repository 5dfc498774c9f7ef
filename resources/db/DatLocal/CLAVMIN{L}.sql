-- Disability keys (lookup "CLAVMINE.TAB"), list of the {L} interface language.
CREATE TABLE CLAVMIN{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
