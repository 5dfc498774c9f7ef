-- Texts of the sections bar in the e language.
CREATE TABLE AcceDire (
  INDICEFICH VARCHAR(4) NOT NULL,
  INDNUMERO VARCHAR(10) NOT NULL,
  Texto VARCHAR(255)
);
