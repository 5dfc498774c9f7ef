-- The months by their number (lookup "MESES__E.TAB"), names of the {L} interface language as a date's month is written.
CREATE TABLE MESES__{L} (
  CLAVE VARCHAR(2) NOT NULL,
  DESCRIPC VARCHAR(10) NOT NULL
);
