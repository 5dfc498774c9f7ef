-- Agricultural products ({l} language).
CREATE TABLE produc_{l} (
  ID_PRODUCTO INTEGER NOT NULL,
  DESCRIPCION VARCHAR(255)
);
