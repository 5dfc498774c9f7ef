-- Street types by their two-letter code (lookup "SIGLAS_E.TAB"), list of the {L} interface language.
CREATE TABLE SIGLAS_{L} (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
