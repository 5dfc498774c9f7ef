-- Box definitions, one row per box, in box-number order within each page.
CREATE TABLE ControlX (
  IndiceFich VARCHAR(4) NOT NULL,
  IndNumero VARCHAR(4) NOT NULL,
  fminternet VARCHAR(7),
  Idinternet INTEGER,
  Coor_1 INTEGER,
  Coor_2 INTEGER,
  Coor_3 INTEGER,
  Coor_4 INTEGER,
  NumeroDeCo INTEGER,
  SoloLectur INTEGER,
  PintarEn INTEGER,
  Identifica VARCHAR(10),
  StrValidac VARCHAR(15),
  FicheroTab VARCHAR(49),
  Base VARCHAR(11),
  NombreVent VARCHAR(25),
  AdmitNega INTEGER,
  Pintacero INTEGER
);
