-- An index for each order a view can take (a page of a view is then found
-- at once, however deep), and one that totals read alone.
CREATE INDEX cheques_by_printed_at ON cheques (printed_at, id);
CREATE INDEX cheques_by_bank ON cheques (bank, id);
CREATE INDEX cheques_by_cheque_number ON cheques (cheque_number, id);
CREATE INDEX cheques_by_payee_key ON cheques (payee_key, id);
CREATE INDEX cheques_by_amount_thousandths ON cheques (amount_thousandths, id);
CREATE INDEX cheques_by_state ON cheques (state, id);
CREATE INDEX cheques_totals ON cheques (currency, digits, amount_minor);
