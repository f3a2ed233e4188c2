-- The cheque's date as a date beside its printed text; prints to a file as
-- jobs, whose cheques are printed once the file is in its place; totals per
-- state and bank read from their index alone.
CREATE TABLE file_jobs (id INTEGER PRIMARY KEY AUTOINCREMENT, target TEXT NOT NULL, part TEXT NOT NULL, host TEXT NOT NULL, started_at TEXT NOT NULL, state TEXT NOT NULL CHECK (state IN ('writing', 'complete', 'done', 'failed')));
ALTER TABLE cheques ADD COLUMN cheque_day TEXT NOT NULL DEFAULT '';
ALTER TABLE cheques ADD COLUMN job BIGINT REFERENCES file_jobs (id);
CREATE INDEX cheques_by_cheque_day ON cheques (cheque_day, id);
CREATE INDEX cheques_by_job ON cheques (job);
DROP INDEX cheques_totals;
CREATE INDEX cheques_totals ON cheques (currency, digits, state, bank, amount_minor);
