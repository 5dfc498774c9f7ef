-- Box titles and prompts in the {l} language, in the order of ControlX.
CREATE TABLE Control{l} (
  IndiceFich VARCHAR(4) NOT NULL,
  IndNumero VARCHAR(4) NOT NULL,
  TituloVent VARCHAR(49),
  TEXTODIBUJ VARCHAR(79)
);
