-- Postal codes and the municipalities they serve, one row per postal code and municipality: a code
-- can serve several municipalities and a municipality several codes. PROVINCIA and MUNICIPIO are the
-- municipality's code in MUNICIPE, NOMBRE its name there (the address dialog lists it by postal code).
CREATE TABLE CPMUNICI (
  CP VARCHAR(5) NOT NULL,
  PROVINCIA VARCHAR(2) NOT NULL,
  MUNICIPIO VARCHAR(3) NOT NULL,
  NOMBRE VARCHAR(60) NOT NULL
);
CREATE INDEX CPMUNICI_CP ON CPMUNICI (CP);
