-- Coded messages in the E language.
CREATE TABLE ERRORESE (
  Coderror VARCHAR(7) NOT NULL,
  TituError VARCHAR(27),
  TextError VARCHAR(255),
  numbotones DOUBLE,
  TextBotone VARCHAR(255)
);
