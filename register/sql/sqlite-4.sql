-- The cheques' history: every change an event, chained to the one before it
-- by its hash (in a file, the place in the chain is the row's own key).
CREATE TABLE cheque_events (seq INTEGER PRIMARY KEY, cheque BIGINT NOT NULL REFERENCES cheques (id), kind TEXT NOT NULL, at TEXT NOT NULL, actor TEXT NOT NULL, detail TEXT NOT NULL, prev_hash TEXT NOT NULL, hash TEXT NOT NULL);
CREATE INDEX cheque_events_by_cheque ON cheque_events (cheque, seq);
CREATE TRIGGER cheque_events_no_update BEFORE UPDATE ON cheque_events BEGIN SELECT RAISE(ABORT, 'the history of the cheques is never changed'); END;
CREATE TRIGGER cheque_events_no_delete BEFORE DELETE ON cheque_events BEGIN SELECT RAISE(ABORT, 'the history of the cheques is never changed'); END;
