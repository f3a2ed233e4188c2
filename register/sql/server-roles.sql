-- The office's roles, made by the register's owner once (it needs the right
-- to make roles: createuser --createrole): clerks record and print cheques,
-- approvers approve them, administrators also keep the office's settings.
DO $$ BEGIN
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'cheque_clerks') THEN CREATE ROLE cheque_clerks NOLOGIN; END IF;
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'cheque_approvers') THEN CREATE ROLE cheque_approvers NOLOGIN; END IF;
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'cheque_admins') THEN CREATE ROLE cheque_admins NOLOGIN; END IF;
END $$;
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
