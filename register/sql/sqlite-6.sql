-- What a file job's part held, to know its file by.
ALTER TABLE file_jobs ADD COLUMN digest TEXT NOT NULL DEFAULT '';
