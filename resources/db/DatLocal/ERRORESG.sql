-- Coded messages in the G language.
CREATE TABLE ERRORESG (
  Coderror VARCHAR(7) NOT NULL,
  TituError VARCHAR(27),
  TextError VARCHAR(255),
  numbotones DOUBLE,
  TextBotone VARCHAR(255)
);
