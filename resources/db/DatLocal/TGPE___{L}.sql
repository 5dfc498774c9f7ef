-- Kinds of gain or loss of a sale of shares (lookup "TGPE___E.TAB"), list of the {L} interface
-- language. The calculation reads the code: "GP1" a result of one year or less, "G21" to "G25"
-- gains of more than one year reduced by 1.00, 0.75, 0.50, 0.25 and 0.00 by the date on which the
-- shares were acquired, " P2" (a leading blank) a loss of more than one year.
CREATE TABLE TGPE___{L} (
  CLAVE VARCHAR(3) NOT NULL,
  DESCRIPC VARCHAR(70) NOT NULL
);
