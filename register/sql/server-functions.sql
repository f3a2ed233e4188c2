-- A shared register's functions. Every change of it is made through them,
-- as the register's owner, from what a person chooses (the account, the
-- payee, the amount, the date, a reason); the server derives the rest (the
-- number, who did it, the state, the time, the currency, the approval).
-- Logins reach no table to change it; the trigger functions run from the
-- register's own tables alone. Made afresh at every upgrade; the program
-- fills in the states and their moves (@…@) from its one table of them.

-- The one lock every writer takes: a row only these functions reach (a
-- login cannot take it otherwise, nor hold it long: every wait for it is
-- bounded by the client's lock_timeout).
CREATE OR REPLACE FUNCTION cheque_lock() RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  PERFORM 1 FROM register_lock WHERE k = 1 FOR UPDATE;
END $$;

-- True for the register's owner, and for members of the role `p_role`.
CREATE OR REPLACE FUNCTION cheque_may(p_role TEXT) RETURNS BOOLEAN LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
  SELECT pg_has_role(session_user, (SELECT relowner FROM pg_class WHERE oid = 'public.cheques'::regclass), 'MEMBER')
      OR (EXISTS (SELECT FROM pg_roles WHERE rolname = p_role) AND pg_has_role(session_user, p_role, 'MEMBER')) $$;

-- An event of the office's own (an account, a rule, a limit, a cheque book,
-- a number, the roles): in the chain with what it changed.
CREATE OR REPLACE FUNCTION cheque_office_event(p_kind TEXT, p_detail TEXT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  INSERT INTO cheque_events (seq, cheque, kind, at, actor, detail, prev_hash, hash, contents)
    VALUES (0, NULL, p_kind, '', '', p_detail, '', '', p_detail);
END $$;

-- Each event stamped with the login that wrote it and the server's clock,
-- and chained to the last one under the register's lock, its hash over what
-- it holds (a cheque's contents too).
CREATE OR REPLACE FUNCTION cheque_event_stamp() RETURNS trigger LANGUAGE plpgsql SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE last_seq BIGINT; last_hash TEXT;
BEGIN
  IF TG_RELID <> 'public.cheque_events'::regclass THEN
    RAISE EXCEPTION 'the register''s history is written by the register alone';
  END IF;
  PERFORM 1 FROM register_lock WHERE k = 1 FOR UPDATE;
  SELECT seq, hash INTO last_seq, last_hash FROM cheque_events ORDER BY seq DESC LIMIT 1;
  NEW.seq := coalesce(last_seq, 0) + 1;
  NEW.prev_hash := coalesce(last_hash, '');
  NEW.at := to_char(clock_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.US"Z"');
  NEW.actor := session_user;
  NEW.hash := encode(sha256(decode(NEW.prev_hash, 'hex') || convert_to(concat_ws(E'\x1f', NEW.seq::text,
    coalesce(NEW.cheque::text, ''), NEW.kind, NEW.at, NEW.actor, NEW.detail, NEW.contents), 'UTF8')), 'hex');
  RETURN NEW;
END $$;

CREATE OR REPLACE FUNCTION cheque_event_refuse() RETURNS trigger LANGUAGE plpgsql SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  RAISE EXCEPTION 'the register''s cheques and their history are never changed or deleted';
END $$;

-- Each change of a cheque's state is an event of its history, with the
-- cheque as it stands then: a cheque sent with where it went, any other
-- state with its reason.
CREATE OR REPLACE FUNCTION cheque_event_of_change() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  IF TG_RELID <> 'public.cheques'::regclass THEN
    RAISE EXCEPTION 'the register''s history is written by the register alone';
  END IF;
  IF TG_OP = 'INSERT' OR NEW.state IS DISTINCT FROM OLD.state THEN
    INSERT INTO cheque_events (seq, cheque, kind, at, actor, detail, prev_hash, hash, contents)
      VALUES (0, NEW.id, NEW.state, '', '', CASE WHEN NEW.state = 'sent' THEN NEW.destination
        WHEN NEW.state_day = '' THEN NEW.reason WHEN NEW.reason = '' THEN NEW.state_day
        ELSE NEW.state_day || ': ' || NEW.reason END, '', '',
        concat_ws(E'\x1e', NEW.bank, coalesce(NEW.cheque_number::text, ''), NEW.payee, NEW.amount_minor::text,
          NEW.digits::text, NEW.currency, NEW.cheque_day, NEW.words_en, NEW.words_ar, NEW.account_only::text,
          NEW.state, NEW.reason, NEW.state_day));
    -- The programs that show the register are told it changed.
    PERFORM pg_notify('cheque_register', '');
  END IF;
  RETURN NULL;
END $$;

-- Whoever writes to the cheques: a cheque is recorded as sent (or prepared)
-- by the login that records it, never changed but for its state, which
-- moves only as the register window allows, and never deleted; approving
-- and printing an approved cheque are the register's own functions'.
CREATE OR REPLACE FUNCTION cheque_guard() RETURNS trigger LANGUAGE plpgsql SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE
  own BOOLEAN := coalesce(pg_has_role(current_user, (SELECT relowner FROM pg_class WHERE oid = TG_RELID), 'MEMBER'), false);
BEGIN
  IF TG_RELID <> 'public.cheques'::regclass THEN
    RAISE EXCEPTION 'the register''s cheques are guarded by the register alone';
  END IF;
  IF TG_OP = 'INSERT' THEN
    NEW.login := session_user; NEW.reason := ''; NEW.state_day := '';
    IF NEW.digits NOT IN (2, 3) THEN
      RAISE EXCEPTION 'an amount has 2 or 3 decimals';
    END IF;
    IF NEW.amount_minor <= 0 THEN
      RAISE EXCEPTION 'an amount is more than 0';
    END IF;
    NEW.amount_thousandths := NEW.amount_minor * CASE WHEN NEW.digits = 3 THEN 1 ELSE 10 END;
    IF NEW.state = 'prepared' THEN
      NEW.cheque_number := NULL; NEW.destination := ''; NEW.job := NULL;
      RETURN NEW;
    END IF;
    NEW.state := 'sent';
    IF NEW.cheque_number IS NULL THEN
      RAISE EXCEPTION 'a cheque is sent with its cheque number';
    END IF;
    IF cheque_needs_approval(NEW.bank, NEW.currency, NEW.amount_thousandths) THEN
      RAISE EXCEPTION 'a cheque of % for % % needs an approval before it is printed', NEW.bank,
        trim_scale(NEW.amount_minor::numeric / power(10::numeric, NEW.digits)), NEW.currency;
    END IF;
    RETURN NEW;
  END IF;
  IF own AND OLD.state = 'approved' AND NEW.state = 'sent' THEN
    IF (to_jsonb(NEW) - 'state' - 'reason' - 'cheque_number' - 'printed_at' - 'destination' - 'job')
       IS DISTINCT FROM (to_jsonb(OLD) - 'state' - 'reason' - 'cheque_number' - 'printed_at' - 'destination' - 'job') THEN
      RAISE EXCEPTION 'an approved cheque is printed as it was approved';
    END IF;
    RETURN NEW;
  END IF;
  IF (to_jsonb(NEW) - 'state' - 'reason' - 'state_day') IS DISTINCT FROM (to_jsonb(OLD) - 'state' - 'reason' - 'state_day') THEN
    RAISE EXCEPTION 'a recorded cheque is never changed, only its state';
  END IF;
  IF NEW.state = OLD.state AND (NEW.reason, NEW.state_day) IS DISTINCT FROM (OLD.reason, OLD.state_day) THEN
    RAISE EXCEPTION 'a cheque''s reason is given with its state, never changed afterwards';
  END IF;
  IF NEW.state IS DISTINCT FROM OLD.state AND NOT (
       (OLD.state, NEW.state) IN (@MARKED_MOVES@)
    OR (own AND (OLD.state, NEW.state) IN (@DECIDED_MOVES@))
    OR (own AND coalesce(current_setting('cheque.correcting', true), '') = 'on' AND (OLD.state, NEW.state) IN (@CORRECTED_MOVES@))) THEN
    RAISE EXCEPTION 'a % cheque cannot be marked %', OLD.state, NEW.state;
  END IF;
  IF NEW.state IN (@REASON_STATES@) AND btrim(NEW.reason) = '' THEN
    RAISE EXCEPTION 'the reason must be given';
  END IF;
  IF NEW.state = 'cleared' AND NEW.state_day = '' THEN
    RAISE EXCEPTION 'a cheque is cleared on the bank''s date';
  END IF;
  RETURN NEW;
END $$;

-- The next cheque number: taken one at a time; set to another number (a
-- new cheque book) only by the register's administrators.
CREATE OR REPLACE FUNCTION cheque_number_guard() RETURNS trigger LANGUAGE plpgsql SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  IF TG_RELID <> 'public.cheque_numbers'::regclass THEN
    RAISE EXCEPTION 'the register''s numbers are guarded by the register alone';
  END IF;
  IF (TG_OP = 'INSERT' AND NEW.next_number = 2) OR (TG_OP = 'UPDATE' AND NEW.bank = OLD.bank
      AND NEW.next_number = OLD.next_number + 1) THEN
    RETURN NEW;
  END IF;
  -- Past a book's last leaf, on to the first leaf of the bank's next book.
  IF TG_OP = 'UPDATE' AND NEW.bank = OLD.bank AND NEW.next_number - 1 = (SELECT min(first_leaf)
      FROM cheque_books WHERE bank = NEW.bank AND first_leaf >= OLD.next_number - 1)
      AND NOT EXISTS (SELECT 1 FROM cheque_books WHERE bank = NEW.bank
        AND OLD.next_number - 1 BETWEEN first_leaf AND last_leaf) THEN
    RETURN NEW;
  END IF;
  IF NOT cheque_may('cheque_admins') THEN
    RAISE EXCEPTION 'only the register''s administrators set cheque numbers';
  END IF;
  RETURN NEW;
END $$;

-- Whether a cheque of the bank for the amount needs approval: the rule of
-- its bank, or of every bank, in the currency of the bank's account.
CREATE OR REPLACE FUNCTION cheque_needs_approval(p_bank TEXT, p_currency TEXT, p_thousandths BIGINT) RETURNS BOOLEAN LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
  SELECT coalesce((SELECT p_thousandths > above_thousandths FROM cheque_approval_rules
    WHERE bank IN (p_bank, '') AND lower(btrim(currency)) = lower(btrim(coalesce((SELECT a.currency FROM cheque_accounts a
      WHERE a.bank = p_bank), p_currency)))
    ORDER BY bank DESC LIMIT 1), false) $$;

-- The bank's next cheque number, taken: on the leaves of its cheque books
-- when it has them.
CREATE OR REPLACE FUNCTION cheque_take_number(p_bank TEXT) RETURNS BIGINT LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE n BIGINT;
BEGIN
  INSERT INTO cheque_numbers (bank, next_number) VALUES (p_bank, 2) ON CONFLICT (bank) DO UPDATE
    SET next_number = cheque_numbers.next_number + 1 RETURNING next_number - 1 INTO n;
  IF EXISTS (SELECT 1 FROM cheque_books WHERE bank = p_bank) AND NOT EXISTS (SELECT 1 FROM cheque_books
      WHERE bank = p_bank AND n BETWEEN first_leaf AND last_leaf) THEN
    IF (SELECT min(first_leaf) FROM cheque_books WHERE bank = p_bank AND first_leaf > n) IS NULL THEN
      RAISE EXCEPTION 'its number % is in none of the cheque books of "%"; add the bank''s next cheque book (Cheque Numbers in the register window)', n, p_bank;
    END IF;
    n := (SELECT min(first_leaf) FROM cheque_books WHERE bank = p_bank AND first_leaf > n);
    UPDATE cheque_numbers SET next_number = n + 1 WHERE bank = p_bank;
  END IF;
  IF EXISTS (SELECT 1 FROM cheques WHERE bank = p_bank AND cheque_number = n) THEN
    RAISE EXCEPTION 'the cheque number % of the bank "%" is already in the register; set the bank''s next cheque number (Cheque Numbers in the register window)', n, p_bank;
  END IF;
  RETURN n;
END $$;

-- An account of the office: a bank as the office writes it, and its
-- currency as the server keeps it.
CREATE OR REPLACE FUNCTION cheque_add_account(p_bank TEXT, p_currency TEXT, p_currency_arabic TEXT, p_digits INTEGER) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  IF NOT cheque_may('cheque_admins') THEN
    RAISE EXCEPTION 'only the register''s administrators add accounts';
  END IF;
  PERFORM cheque_lock();
  IF btrim(coalesce(p_bank, '')) = '' OR btrim(coalesce(p_currency, '')) = '' OR p_digits IS NULL OR p_digits NOT IN (2, 3) THEN
    RAISE EXCEPTION 'an account has a bank, a currency and 2 or 3 sub-unit digits';
  END IF;
  IF EXISTS (SELECT 1 FROM cheque_accounts WHERE bank = p_bank) THEN
    RAISE EXCEPTION 'the register has an account of "%" already', p_bank;
  END IF;
  INSERT INTO cheque_accounts (bank, currency, currency_arabic, digits, added_at)
    VALUES (p_bank, p_currency, coalesce(p_currency_arabic, ''), p_digits,
      to_char(clock_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"'));
  PERFORM cheque_office_event('account', concat_ws(E'\x1e', p_bank, p_currency, p_currency_arabic, p_digits::text));
END $$;

-- A cheque recorded: in an account the server knows, in its currency, for
-- an amount more than 0, numbered by the server (or prepared for approval,
-- without a number, when the office's rules want it approved), by the
-- login that records it.
CREATE OR REPLACE FUNCTION cheque_record(p_bank TEXT, p_currency TEXT, p_currency_arabic TEXT, p_digits INTEGER,
  p_payee TEXT, p_payee_key TEXT, p_amount_minor BIGINT, p_day DATE, p_words_en TEXT, p_words_ar TEXT,
  p_account_only BOOLEAN, p_destination TEXT, p_replaces BIGINT, p_job BIGINT,
  OUT r_id BIGINT, OUT r_number BIGINT, OUT r_prepared BOOLEAN)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE a cheque_accounts%ROWTYPE; thousandths BIGINT; day TEXT := coalesce(to_char(p_day, 'YYYY-MM-DD'), '');
BEGIN
  IF NOT (cheque_may('cheque_clerks') OR cheque_may('cheque_admins')) THEN
    RAISE EXCEPTION 'only the office''s clerks and administrators record cheques';
  END IF;
  PERFORM cheque_lock();
  SELECT * INTO a FROM cheque_accounts WHERE bank = p_bank;
  IF NOT FOUND AND cheque_may('cheque_admins') THEN
    PERFORM cheque_add_account(p_bank, p_currency, p_currency_arabic, p_digits);
    SELECT * INTO a FROM cheque_accounts WHERE bank = p_bank;
  END IF;
  IF NOT FOUND THEN
    RAISE EXCEPTION 'the register has no account of the bank "%" (its accounts: %); an administrator adds it', p_bank,
      coalesce((SELECT string_agg('"' || bank || '"', ', ' ORDER BY bank) FROM cheque_accounts), 'none');
  END IF;
  IF p_currency IS DISTINCT FROM a.currency OR p_digits IS DISTINCT FROM a.digits THEN
    RAISE EXCEPTION 'the account of "%" is in "%" with % sub-unit digits, the cheque in "%" with %; set the program''s currency to the account''s (Money in Setup)',
      a.bank, a.currency, a.digits, p_currency, p_digits;
  END IF;
  IF p_amount_minor IS NULL OR p_amount_minor <= 0 OR p_amount_minor >= 2147483648 * (CASE WHEN a.digits = 3 THEN 1000 ELSE 100 END) THEN
    RAISE EXCEPTION 'an amount is more than 0 and less than 2147483648';
  END IF;
  IF p_payee IS NULL OR length(p_payee) > 200 THEN
    RAISE EXCEPTION 'a payee has at most 200 characters';
  END IF;
  IF p_replaces IS NOT NULL AND NOT EXISTS (SELECT 1 FROM cheques c WHERE c.id = p_replaces AND c.bank = a.bank) THEN
    RAISE EXCEPTION 'there is no cheque % of "%" to print again', p_replaces, a.bank;
  END IF;
  IF p_job IS NOT NULL AND NOT EXISTS (SELECT 1 FROM file_jobs j WHERE j.id = p_job AND j.login = session_user AND j.state = 'writing') THEN
    RAISE EXCEPTION 'the print job % is none of yours being written', p_job;
  END IF;
  thousandths := p_amount_minor * CASE WHEN a.digits = 3 THEN 1 ELSE 10 END;
  r_prepared := cheque_needs_approval(a.bank, a.currency, thousandths);
  IF NOT r_prepared THEN
    r_number := cheque_take_number(a.bank);
  END IF;
  INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, amount_thousandths,
      currency, currency_arabic, words_en, words_ar, account_only, printed_at, destination, login, state, replaces,
      cheque_day, job)
    VALUES (a.bank, r_number, day, p_payee, coalesce(p_payee_key, ''), p_amount_minor, a.digits, thousandths,
      a.currency, a.currency_arabic, coalesce(p_words_en, ''), coalesce(p_words_ar, ''),
      CASE WHEN p_account_only THEN 1 ELSE 0 END,
      to_char(clock_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"'),
      CASE WHEN r_prepared THEN '' ELSE coalesce(p_destination, '') END, session_user,
      CASE WHEN r_prepared THEN 'prepared' ELSE 'sent' END, p_replaces, day,
      CASE WHEN r_prepared THEN NULL ELSE p_job END)
    RETURNING id INTO r_id;
END $$;

-- A cheque's state after it was sent, as the register window moves it.
CREATE OR REPLACE FUNCTION cheque_set_state(p_id BIGINT, p_state TEXT, p_reason TEXT, p_day TEXT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  IF p_state IS NULL OR p_state NOT IN (@MARKED_STATES@) THEN
    RAISE EXCEPTION 'a cheque is marked % only by the register''s own steps', p_state;
  END IF;
  IF NOT (cheque_may('cheque_clerks') OR cheque_may('cheque_admins')) THEN
    RAISE EXCEPTION 'only the office''s clerks and administrators mark cheques';
  END IF;
  -- Never a correction, whatever the session set.
  PERFORM set_config('cheque.correcting', '', true);
  PERFORM cheque_lock();
  UPDATE cheques SET state = p_state, reason = btrim(coalesce(p_reason, '')), state_day = coalesce(p_day, '') WHERE id = p_id;
  IF NOT FOUND THEN
    RAISE EXCEPTION 'there is no cheque %', p_id;
  END IF;
END $$;

-- A wrong step after print set back to printed, with the reason: by an
-- administrator alone (the history keeps the correction and its reason).
CREATE OR REPLACE FUNCTION cheque_correct(p_id BIGINT, p_reason TEXT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE was TEXT;
BEGIN
  IF NOT cheque_may('cheque_admins') THEN
    RAISE EXCEPTION 'only the register''s administrators correct a cheque''s state';
  END IF;
  IF btrim(coalesce(p_reason, '')) = '' THEN
    RAISE EXCEPTION 'the reason must be given';
  END IF;
  PERFORM cheque_lock();
  SELECT state INTO was FROM cheques WHERE id = p_id FOR UPDATE;
  IF NOT FOUND THEN
    RAISE EXCEPTION 'there is no cheque %', p_id;
  END IF;
  IF (was, 'printed') NOT IN (@CORRECTED_MOVES@) THEN
    RAISE EXCEPTION 'only a cheque delivered, cleared, returned or stopped is set back to printed: this one is %', was;
  END IF;
  PERFORM set_config('cheque.correcting', 'on', true);
  UPDATE cheques SET state = 'printed', reason = btrim(p_reason), state_day = '' WHERE id = p_id;
  PERFORM set_config('cheque.correcting', '', true);
END $$;

-- Approving or rejecting: by an approver who did not prepare the cheque and
-- whose limit in its currency covers it; of two approvers at once the
-- second finds it decided.
CREATE OR REPLACE FUNCTION cheque_decide(p_id BIGINT, p_approve BOOLEAN, p_comment TEXT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE c cheques%ROWTYPE; allowed BIGINT;
BEGIN
  PERFORM cheque_lock();
  SELECT * INTO c FROM cheques WHERE id = p_id FOR UPDATE;
  IF NOT FOUND THEN RAISE EXCEPTION 'there is no cheque %', p_id; END IF;
  IF c.state <> 'prepared' THEN
    RAISE EXCEPTION 'the cheque is % already', c.state;
  END IF;
  IF c.login = session_user THEN
    RAISE EXCEPTION 'a cheque is approved by another person than the one who prepared it';
  END IF;
  IF EXISTS (SELECT FROM pg_roles WHERE rolname = 'cheque_approvers')
     AND NOT pg_has_role(session_user, 'cheque_approvers', 'MEMBER') THEN
    RAISE EXCEPTION 'only the office''s approvers approve cheques';
  END IF;
  SELECT limit_thousandths INTO allowed FROM cheque_approval_limits
    WHERE login = session_user AND lower(btrim(currency)) = lower(btrim(c.currency));
  IF allowed IS NULL THEN
    RAISE EXCEPTION '% has no approval limit in %', session_user, c.currency;
  END IF;
  IF p_approve AND c.amount_thousandths > allowed THEN
    RAISE EXCEPTION '% approves cheques of up to % %', session_user, trim_scale(allowed::numeric / 1000), c.currency;
  END IF;
  UPDATE cheques SET state = CASE WHEN p_approve THEN 'approved' ELSE 'rejected' END,
    reason = btrim(coalesce(p_comment, '')) WHERE id = p_id;
END $$;

-- Printing an approved cheque, once: it takes its bank's next cheque number
-- and is sent.
CREATE OR REPLACE FUNCTION cheque_print_approved(p_id BIGINT, p_destination TEXT, p_job BIGINT) RETURNS BIGINT LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE c cheques%ROWTYPE; n BIGINT;
BEGIN
  IF NOT (cheque_may('cheque_clerks') OR cheque_may('cheque_admins')) THEN
    RAISE EXCEPTION 'only the office''s clerks and administrators print cheques';
  END IF;
  PERFORM cheque_lock();
  SELECT * INTO c FROM cheques WHERE id = p_id FOR UPDATE;
  IF NOT FOUND THEN RAISE EXCEPTION 'there is no cheque %', p_id; END IF;
  IF c.state <> 'approved' THEN
    RAISE EXCEPTION 'the cheque is %: only an approved cheque is printed, and once', c.state;
  END IF;
  IF p_job IS NOT NULL AND NOT EXISTS (SELECT 1 FROM file_jobs j WHERE j.id = p_job AND j.login = session_user AND j.state = 'writing') THEN
    RAISE EXCEPTION 'the print job % is none of yours being written', p_job;
  END IF;
  n := cheque_take_number(c.bank);
  UPDATE cheques SET state = 'sent', reason = '', cheque_number = n, destination = coalesce(p_destination, ''),
    job = p_job, printed_at = to_char(clock_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"')
    WHERE id = p_id;
  RETURN n;
END $$;

-- A print to a file, of a login on a computer: its cheques are printed or
-- failed together when its file is in its place, or cannot be.
CREATE OR REPLACE FUNCTION cheque_job_begin(p_host TEXT) RETURNS BIGINT LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE job BIGINT;
BEGIN
  IF NOT (cheque_may('cheque_clerks') OR cheque_may('cheque_admins')) THEN
    RAISE EXCEPTION 'only the office''s clerks and administrators print cheques';
  END IF;
  INSERT INTO file_jobs (target, part, host, started_at, state, login)
    VALUES ('', '', coalesce(p_host, ''), to_char(clock_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"'),
      'writing', session_user)
    RETURNING id INTO job;
  RETURN job;
END $$;

CREATE OR REPLACE FUNCTION cheque_job_complete(p_id BIGINT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  UPDATE file_jobs SET state = 'complete' WHERE id = p_id AND login = session_user AND state = 'writing';
  IF NOT FOUND THEN
    RAISE EXCEPTION 'the print job % is none of yours being written', p_id;
  END IF;
END $$;

CREATE OR REPLACE FUNCTION cheque_job_end(p_id BIGINT, p_printed BOOLEAN, p_reason TEXT) RETURNS INTEGER LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE n INTEGER;
BEGIN
  PERFORM cheque_lock();
  IF NOT EXISTS (SELECT 1 FROM file_jobs WHERE id = p_id AND login = session_user
      AND state IN (CASE WHEN p_printed THEN 'complete' ELSE 'writing' END, 'complete')) THEN
    RAISE EXCEPTION 'the print job % is none of yours that can end so', p_id;
  END IF;
  UPDATE cheques SET state = CASE WHEN p_printed THEN 'printed' ELSE 'failed' END,
      reason = CASE WHEN p_printed THEN '' ELSE coalesce(p_reason, '') END
    WHERE job = p_id AND state = 'sent';
  GET DIAGNOSTICS n = ROW_COUNT;
  UPDATE file_jobs SET state = CASE WHEN p_printed THEN 'done' ELSE 'failed' END WHERE id = p_id;
  RETURN n;
END $$;

-- The office's settings, each in the history: cheque books, next numbers,
-- the amounts that need approval and each approver's limit.
CREATE OR REPLACE FUNCTION cheque_add_book(p_bank TEXT, p_first BIGINT, p_last BIGINT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
DECLARE v_next BIGINT; book RECORD;
BEGIN
  IF NOT cheque_may('cheque_admins') THEN
    RAISE EXCEPTION 'only the register''s administrators add cheque books';
  END IF;
  PERFORM cheque_lock();
  IF p_first IS NULL OR p_last IS NULL OR p_first < 1 OR p_last < p_first THEN
    RAISE EXCEPTION 'its leaves run from a number from 1 to one as high or higher';
  END IF;
  SELECT * INTO book FROM cheque_books WHERE bank = p_bank AND p_first <= last_leaf AND p_last >= first_leaf LIMIT 1;
  IF FOUND THEN
    RAISE EXCEPTION 'its leaves meet those of the book %–%', book.first_leaf, book.last_leaf;
  END IF;
  v_next := coalesce((SELECT next_number FROM cheque_numbers WHERE bank = p_bank), 1);
  -- The bank's numbers go on in the new book when the one in use is used up
  -- (or there was none), never back onto leaves behind them.
  IF NOT EXISTS (SELECT 1 FROM cheque_books WHERE bank = p_bank AND v_next BETWEEN first_leaf AND last_leaf) AND v_next < p_first THEN
    INSERT INTO cheque_numbers (bank, next_number) VALUES (p_bank, p_first)
      ON CONFLICT (bank) DO UPDATE SET next_number = excluded.next_number;
  END IF;
  INSERT INTO cheque_books (bank, first_leaf, last_leaf, added_at) VALUES (p_bank, p_first, p_last,
    to_char(clock_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"'));
  PERFORM cheque_office_event('book', concat_ws(E'\x1e', p_bank, p_first::text, p_last::text));
END $$;

CREATE OR REPLACE FUNCTION cheque_set_next_number(p_bank TEXT, p_next BIGINT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  IF NOT cheque_may('cheque_admins') THEN
    RAISE EXCEPTION 'only the register''s administrators set cheque numbers';
  END IF;
  PERFORM cheque_lock();
  IF p_next IS NULL OR p_next < 1 THEN
    RAISE EXCEPTION 'a cheque number is 1 or higher';
  END IF;
  IF EXISTS (SELECT 1 FROM cheques WHERE bank = p_bank AND cheque_number = p_next) THEN
    RAISE EXCEPTION 'cheque No. % of "%" is in the register already', p_next, p_bank;
  END IF;
  IF EXISTS (SELECT 1 FROM cheque_books WHERE bank = p_bank) AND NOT EXISTS (SELECT 1 FROM cheque_books
      WHERE bank = p_bank AND p_next BETWEEN first_leaf AND last_leaf) THEN
    RAISE EXCEPTION '% is in none of the cheque books of "%"', p_next, p_bank;
  END IF;
  INSERT INTO cheque_numbers (bank, next_number) VALUES (p_bank, p_next)
    ON CONFLICT (bank) DO UPDATE SET next_number = excluded.next_number;
  PERFORM cheque_office_event('number', concat_ws(E'\x1e', p_bank, p_next::text));
END $$;

CREATE OR REPLACE FUNCTION cheque_set_rule(p_bank TEXT, p_currency TEXT, p_above BIGINT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  IF NOT cheque_may('cheque_admins') THEN
    RAISE EXCEPTION 'only the register''s administrators set the approval of cheques';
  END IF;
  PERFORM cheque_lock();
  IF p_above IS NULL THEN
    DELETE FROM cheque_approval_rules WHERE bank = coalesce(p_bank, '') AND currency = p_currency;
  ELSE
    INSERT INTO cheque_approval_rules (bank, currency, above_thousandths) VALUES (coalesce(p_bank, ''), p_currency, p_above)
      ON CONFLICT (bank, currency) DO UPDATE SET above_thousandths = excluded.above_thousandths;
  END IF;
  PERFORM cheque_office_event('rule', concat_ws(E'\x1e', coalesce(p_bank, ''), p_currency, coalesce(p_above::text, 'none')));
END $$;

CREATE OR REPLACE FUNCTION cheque_set_limit(p_login TEXT, p_currency TEXT, p_limit BIGINT) RETURNS VOID LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, public, pg_temp AS $$
BEGIN
  IF NOT cheque_may('cheque_admins') THEN
    RAISE EXCEPTION 'only the register''s administrators set the approval of cheques';
  END IF;
  PERFORM cheque_lock();
  IF p_limit IS NULL THEN
    DELETE FROM cheque_approval_limits WHERE login = p_login AND currency = p_currency;
  ELSE
    INSERT INTO cheque_approval_limits (login, currency, limit_thousandths) VALUES (p_login, p_currency, p_limit)
      ON CONFLICT (login, currency) DO UPDATE SET limit_thousandths = excluded.limit_thousandths;
  END IF;
  PERFORM cheque_office_event('limit', concat_ws(E'\x1e', p_login, p_currency, coalesce(p_limit::text, 'none')));
END $$;
