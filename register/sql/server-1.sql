-- A register on a server: its name, its cheques and each bank's next cheque number.
CREATE TABLE register_info (key TEXT PRIMARY KEY, value TEXT NOT NULL);
INSERT INTO register_info (key, value) VALUES ('program', 'cheque-printer');
INSERT INTO register_info (key, value) VALUES ('schema_version', '1');
CREATE TABLE cheque_numbers (bank TEXT PRIMARY KEY, next_number BIGINT NOT NULL);
CREATE TABLE cheques (id BIGSERIAL PRIMARY KEY, bank TEXT NOT NULL, cheque_number BIGINT NOT NULL, cheque_date TEXT NOT NULL, payee TEXT NOT NULL, payee_key TEXT NOT NULL, amount_minor BIGINT NOT NULL, digits INTEGER NOT NULL, amount_thousandths BIGINT NOT NULL, currency TEXT NOT NULL, currency_arabic TEXT NOT NULL, words_en TEXT NOT NULL, words_ar TEXT NOT NULL, account_only INTEGER NOT NULL, printed_at TEXT NOT NULL, destination TEXT NOT NULL, login TEXT NOT NULL, state TEXT NOT NULL CHECK (state IN ('sent', 'printed', 'failed', 'voided', 'spoilt')), reason TEXT NOT NULL DEFAULT '', replaces BIGINT REFERENCES cheques (id), UNIQUE (bank, cheque_number));
CREATE INDEX cheques_same ON cheques (bank, payee_key, amount_minor);
