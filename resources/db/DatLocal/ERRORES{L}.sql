-- Coded messages in the {L} language.
CREATE TABLE ERRORES{L} (
  Coderror VARCHAR(7) NOT NULL,
  TituError VARCHAR(27),
  TextError VARCHAR(255),
  numbotones DOUBLE,
  TextBotone VARCHAR(255)
);
