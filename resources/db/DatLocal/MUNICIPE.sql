-- Municipalities as they stood in 2003, by their official code: province (2 digits), municipality
-- (3 digits) and control digit, with the name (lookup "MUNICIPE"; source noted in SOURCES.md).
-- Their postal codes are in CPMUNICI.
CREATE TABLE MUNICIPE (
  PROVINCIA VARCHAR(2) NOT NULL,
  MUNICIPIO VARCHAR(3) NOT NULL,
  DC VARCHAR(1) NOT NULL,
  NOMBRE VARCHAR(60) NOT NULL
);
