-- Autonomous communities and cities with statute of the common regime by their code (lookup "COMAUTOE.TAB"), list of the {L} interface language.
CREATE TABLE COMAUTO{L} (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
