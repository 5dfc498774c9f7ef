CREATE TABLE ERRORESC (
  Coderror TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
  TituError TEXT,
  TextError TEXT,
  numbotones REAL,
  TextBotone TEXT
);
