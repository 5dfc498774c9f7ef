-- Texts of the sections bar in the v language.
CREATE TABLE AcceDirv (
  INDICEFICH VARCHAR(4) NOT NULL,
  INDNUMERO VARCHAR(10) NOT NULL,
  Texto VARCHAR(255)
);
