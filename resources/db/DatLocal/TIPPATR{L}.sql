-- Types of real-estate capital income (lookup "TIPPATRE.TAB"), list of the {L} interface language.
-- Type 2 takes neither deductible expenses nor the reduction for irregular income.
CREATE TABLE TIPPATR{L} (
  CLAVE VARCHAR(1) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL
);
