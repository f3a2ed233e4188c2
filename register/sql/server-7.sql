-- The server is the register's authority: the office's accounts (a bank as
-- the office writes it, its currency as the server stores it), a lock only
-- the register's functions reach, events for the office's own changes
-- (no cheque) that hold what they changed, and print jobs of a login (their
-- files' paths stay on the computer that prints).
CREATE TABLE cheque_accounts (bank TEXT PRIMARY KEY CHECK (btrim(bank) <> ''), currency TEXT NOT NULL CHECK (btrim(currency) <> ''), currency_arabic TEXT NOT NULL, digits INTEGER NOT NULL CHECK (digits IN (2, 3)), added_at TEXT NOT NULL);
INSERT INTO cheque_accounts (bank, currency, currency_arabic, digits, added_at) SELECT DISTINCT ON (bank) bank, currency, currency_arabic, digits, to_char(clock_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"') FROM cheques WHERE btrim(bank) <> '' AND btrim(currency) <> '' AND digits IN (2, 3) ORDER BY bank, id DESC;
CREATE TABLE register_lock (k INTEGER PRIMARY KEY CHECK (k = 1));
INSERT INTO register_lock (k) VALUES (1);
ALTER TABLE cheque_events ALTER COLUMN cheque DROP NOT NULL;
ALTER TABLE cheque_events ADD COLUMN contents TEXT;
ALTER TABLE file_jobs ADD COLUMN login TEXT NOT NULL DEFAULT '';
