-- Texts of the sections bar in the c language.
CREATE TABLE AcceDirc (
  INDICEFICH VARCHAR(4) NOT NULL,
  INDNUMERO VARCHAR(10) NOT NULL,
  Texto VARCHAR(255)
);
