-- The cheques' history: every change an event, stamped by the server (the
-- login that wrote it, its own clock) and chained to the one before it by
-- its hash; never changed nor deleted. The cheques' guard and their
-- history's writer hold for every login.
CREATE TABLE cheque_events (seq BIGINT PRIMARY KEY, cheque BIGINT NOT NULL REFERENCES cheques (id), kind TEXT NOT NULL, at TEXT NOT NULL, actor TEXT NOT NULL, detail TEXT NOT NULL, prev_hash TEXT NOT NULL, hash TEXT NOT NULL);
CREATE INDEX cheque_events_by_cheque ON cheque_events (cheque, seq);
CREATE TRIGGER cheque_events_stamp BEFORE INSERT ON cheque_events FOR EACH ROW EXECUTE FUNCTION cheque_event_stamp();
CREATE TRIGGER cheque_events_no_change BEFORE UPDATE OR DELETE ON cheque_events FOR EACH ROW EXECUTE FUNCTION cheque_event_refuse();
CREATE TRIGGER cheque_events_no_truncate BEFORE TRUNCATE ON cheque_events FOR EACH STATEMENT EXECUTE FUNCTION cheque_event_refuse();
CREATE TRIGGER cheques_guard BEFORE INSERT OR UPDATE ON cheques FOR EACH ROW EXECUTE FUNCTION cheque_guard();
CREATE TRIGGER cheques_no_delete BEFORE DELETE ON cheques FOR EACH ROW EXECUTE FUNCTION cheque_event_refuse();
CREATE TRIGGER cheques_no_truncate BEFORE TRUNCATE ON cheques FOR EACH STATEMENT EXECUTE FUNCTION cheque_event_refuse();
CREATE TRIGGER cheques_history AFTER INSERT OR UPDATE ON cheques FOR EACH ROW EXECUTE FUNCTION cheque_event_of_change();
CREATE TRIGGER cheque_numbers_guard BEFORE INSERT OR UPDATE ON cheque_numbers FOR EACH ROW EXECUTE FUNCTION cheque_number_guard();
