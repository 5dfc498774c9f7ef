-- Keys of disabled active workers (lookup "CLATAMIE.TAB"), list of the {L} interface language.
CREATE TABLE CLATAMI{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
