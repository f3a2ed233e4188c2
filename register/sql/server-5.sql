-- A cheque's life after print (its states, and their days), each bank's
-- cheque books, and the office's approval before print: a prepared cheque
-- has no cheque number yet; amounts in thousandths of the currency, whatever
-- its sub-units; a rule for the bank '' holds for every bank without one of
-- its own.
ALTER TABLE cheques ADD COLUMN state_day TEXT NOT NULL DEFAULT '';
ALTER TABLE cheques DROP CONSTRAINT cheques_state_check;
ALTER TABLE cheques ADD CONSTRAINT cheques_state_check CHECK (state IN ('sent', 'printed', 'failed', 'voided', 'spoilt', 'prepared', 'approved', 'rejected', 'delivered', 'cleared', 'returned', 'stopped'));
DROP INDEX cheques_by_cheque_day;
CREATE INDEX cheques_by_cheque_day ON cheques (cheque_day, id, state, bank, currency, digits, amount_minor);
CREATE TABLE cheque_books (bank TEXT NOT NULL, first_leaf BIGINT NOT NULL, last_leaf BIGINT NOT NULL, added_at TEXT NOT NULL, PRIMARY KEY (bank, first_leaf), CHECK (first_leaf >= 1 AND last_leaf >= first_leaf));
ALTER TABLE cheques ALTER COLUMN cheque_number DROP NOT NULL;
CREATE TABLE cheque_approval_rules (bank TEXT NOT NULL, currency TEXT NOT NULL, above_thousandths BIGINT NOT NULL CHECK (above_thousandths >= 0), PRIMARY KEY (bank, currency));
CREATE TABLE cheque_approval_limits (login TEXT NOT NULL, currency TEXT NOT NULL, limit_thousandths BIGINT NOT NULL CHECK (limit_thousandths >= 0), PRIMARY KEY (login, currency));
