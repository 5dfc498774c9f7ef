-- Reduction regimes of the promoter's contributions to pension schemes (lookup "CONPROPE.TAB"), list of the {L} interface language.
CREATE TABLE CONPROP{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
