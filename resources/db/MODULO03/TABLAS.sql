-- Catalogue of the lookup lists: key, description, order and filter columns of each table.
CREATE TABLE TABLAS (
  NOMTABLA VARCHAR(8) NOT NULL,
  NomOrden VARCHAR(24),
  CamClave VARCHAR(34),
  CamDescr VARCHAR(24),
  CamDescr2 VARCHAR(24),
  CamDevol VARCHAR(24),
  CamFiltro VARCHAR(24),
  ordenada INTEGER,
  Cortar INTEGER
);
