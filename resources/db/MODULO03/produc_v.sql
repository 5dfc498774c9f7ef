-- Agricultural products (v language).
CREATE TABLE produc_v (
  ID_PRODUCTO INTEGER NOT NULL,
  DESCRIPCION VARCHAR(255)
);
