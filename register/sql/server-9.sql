-- Version 9: a wrong step after print (delivered, cleared, returned,
-- stopped) is set back to printed, with the reason, by an administrator
-- (cheque_correct); the functions and grants, made afresh at the upgrade,
-- carry it.
SELECT 1;
