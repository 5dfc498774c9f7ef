-- Payment (I) or refund (D) of a late-payment interest row (lookup "INGDEVUE.TAB"), list of the {L} interface language.
CREATE TABLE INGDEVU{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
