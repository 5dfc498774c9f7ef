CREATE TABLE ERRORES{L} (
  Coderror TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
  TituError TEXT,
  TextError TEXT,
  numbotones REAL,
  TextBotone TEXT
);
