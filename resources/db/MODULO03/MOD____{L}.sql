-- Module definitions ({L} language).
CREATE TABLE MOD____{L} (
  id_modulo DOUBLE NOT NULL,
  des_larga VARCHAR(43),
  des_corta VARCHAR(25),
  des_a_15 VARCHAR(15),
  uni_larga VARCHAR(23),
  uni_corta VARCHAR(17)
);
