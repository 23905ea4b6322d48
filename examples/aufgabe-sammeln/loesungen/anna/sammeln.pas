PROGRAM Sammeln;
{ Anna: sammelt auf jedem Feld alles ein, auch auf dem ersten. }
USES Werkzeug;
BEGIN
  SAMMLE;
  WHILE VORNE_FREI DO
  BEGIN
    VOR;
    SAMMLE
  END
END.
