-- Texts of the sections bar in the {l} language.
CREATE TABLE AcceDir{l} (
  INDICEFICH VARCHAR(4) NOT NULL,
  INDNUMERO VARCHAR(10) NOT NULL,
  Texto VARCHAR(255)
);
