-- Texts of the sections bar in the g language.
CREATE TABLE AcceDirg (
  INDICEFICH VARCHAR(4) NOT NULL,
  INDNUMERO VARCHAR(10) NOT NULL,
  Texto VARCHAR(255)
);
