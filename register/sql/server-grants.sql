-- Who may do what on a shared register: nobody but its owner changes a
-- table or takes a lock of its own on one; the office's roles read what
-- they need and change the register through its functions alone.
REVOKE ALL ON register_info, cheques, cheque_events, cheque_numbers, file_jobs, cheque_approval_rules, cheque_approval_limits, cheque_books, cheque_accounts, register_lock FROM PUBLIC;
REVOKE ALL ON ALL SEQUENCES IN SCHEMA public FROM PUBLIC;
REVOKE ALL ON ALL FUNCTIONS IN SCHEMA public FROM PUBLIC;
DO $$ BEGIN
  IF EXISTS (SELECT FROM pg_roles WHERE rolname = 'cheque_admins') THEN
    REVOKE ALL ON register_info, cheques, cheque_events, cheque_numbers, file_jobs, cheque_approval_rules, cheque_approval_limits, cheque_books, cheque_accounts, register_lock FROM cheque_clerks, cheque_approvers, cheque_admins;
    REVOKE ALL ON ALL SEQUENCES IN SCHEMA public FROM cheque_clerks, cheque_approvers, cheque_admins;
    REVOKE ALL ON ALL FUNCTIONS IN SCHEMA public FROM cheque_clerks, cheque_approvers, cheque_admins;
    GRANT SELECT ON register_info, cheques, cheque_events, cheque_numbers, file_jobs, cheque_approval_rules, cheque_approval_limits, cheque_books, cheque_accounts TO cheque_clerks, cheque_approvers, cheque_admins;
    GRANT EXECUTE ON FUNCTION cheque_record(TEXT, TEXT, TEXT, INTEGER, TEXT, TEXT, BIGINT, DATE, TEXT, TEXT, BOOLEAN, TEXT, BIGINT, BIGINT), cheque_set_state(BIGINT, TEXT, TEXT, TEXT), cheque_print_approved(BIGINT, TEXT, BIGINT), cheque_job_begin(TEXT), cheque_job_complete(BIGINT), cheque_job_end(BIGINT, BOOLEAN, TEXT) TO cheque_clerks, cheque_admins;
    GRANT EXECUTE ON FUNCTION cheque_needs_approval(TEXT, TEXT, BIGINT) TO cheque_clerks, cheque_approvers, cheque_admins;
    GRANT EXECUTE ON FUNCTION cheque_decide(BIGINT, BOOLEAN, TEXT) TO cheque_approvers;
    GRANT EXECUTE ON FUNCTION cheque_add_account(TEXT, TEXT, TEXT, INTEGER), cheque_add_book(TEXT, BIGINT, BIGINT), cheque_set_next_number(TEXT, BIGINT), cheque_set_rule(TEXT, TEXT, BIGINT), cheque_set_limit(TEXT, TEXT, BIGINT) TO cheque_admins;
    -- Anyone of the office is told why not.
    GRANT EXECUTE ON FUNCTION cheque_correct(BIGINT, TEXT) TO cheque_clerks, cheque_approvers, cheque_admins;
  END IF;
END $$;
