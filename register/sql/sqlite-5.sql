-- A cheque's life after print (its states, and their days), the due dates
-- read from the index of the cheques' dates alone, each bank's cheque books.
ALTER TABLE cheques ADD COLUMN state_day TEXT NOT NULL DEFAULT '';
DROP INDEX cheques_by_cheque_day;
CREATE INDEX cheques_by_cheque_day ON cheques (cheque_day, id, state, bank, currency, digits, amount_minor);
CREATE TABLE cheque_books (bank TEXT NOT NULL, first_leaf BIGINT NOT NULL, last_leaf BIGINT NOT NULL, added_at TEXT NOT NULL, PRIMARY KEY (bank, first_leaf), CHECK (first_leaf >= 1 AND last_leaf >= first_leaf));
