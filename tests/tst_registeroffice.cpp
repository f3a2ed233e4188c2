// SPDX-License-Identifier: GPL-3.0-or-later
// An office's shared register: the history's chain and its witnesses,
// encrypted connections, the server deciding for every login, and approval
// before print.

#include "registerfixture.h"

class TestRegisterOffice : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void historyIsAppendOnlyAndChained_data() { addConnections(); }
    void historyIsAppendOnlyAndChained();
    void encryptedConnections();
    void theServerDecidesForEveryLogin();
    void approvalBeforePrint();
};

void TestRegisterOffice::historyIsAppendOnlyAndChained()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    const RegisterConnection c = server ? *Server() : sqlite();
    ChequeRegister reg(c);
    const qint64 kept = IssueCheque(reg, Make("SIB", "A", "5"), "printer", Printed).number;
    const int office = server ? 1 : 0; // on a server, the account the first cheque opened
    const qint64 voided = IssueCheque(reg, Make("SIB", "B", "6"), "printer", Printed).number;
    reg.voidCheque(voided, " lost in the post ");
    const auto kinds = [&](qint64 cheque) {
        QStringList list;
        for (const ChequeEvent &e : reg.history(cheque))
            list << e.kind + u'/' + e.detail;
        return list;
    };
    QCOMPARE(kinds(kept), QStringList({"sent/printer", "printed/"}));
    QCOMPARE(kinds(voided), QStringList({"sent/printer", "printed/", "voided/lost in the post"}));
    const QList<ChequeEvent> events = reg.history(voided);
    QVERIFY(!events.last().actor.isEmpty());
    QVERIFY(QDateTime::fromString(events.last().at, Qt::ISODateWithMs).isValid());
    ChainCheck chain = reg.checkHistory();
    QCOMPARE(chain.problem(), std::nullopt);
    QCOMPARE(chain.events(), 5 + office);
    QCOMPARE(chain.latestHash(), events.last().hash);
    const QString last = QString::number(5 + office);

    // Another login of the database: its changes of the history are
    // refused; on a server, what it writes into an event's stamp is not kept.
    QSqlDatabase d = OpenAs("other", c);
    QVERIFY(d.isOpen());
    {
        QSqlQuery q(d);
        QVERIFY(!q.exec("UPDATE cheque_events SET detail = 'found again' WHERE seq = " + last));
        QVERIFY2(q.lastError().text().contains("never changed"), qPrintable(q.lastError().text()));
        QVERIFY(!q.exec("DELETE FROM cheque_events WHERE seq = " + last));
        if (c.isServer()) {
            QVERIFY(!q.exec("TRUNCATE cheque_events"));
            QVERIFY2(q.exec(QStringLiteral("INSERT INTO cheque_events (seq, cheque, kind, at, actor, detail, "
                                           "prev_hash, hash) VALUES (1, %1, 'printed', '2020-01-01', 'manager', "
                                           "'', '', 'forged')")
                                .arg(kept)),
                     qPrintable(q.lastError().text()));
            QCOMPARE(reg.history(kept).last().actor, c.user);
            QCOMPARE(reg.history(kept).last().seq, 7);
        }
    }
    chain = reg.checkHistory();
    QCOMPARE(chain.problem(), std::nullopt);

    // Rewritten by someone who can bypass the database's guard: the first
    // event changed is named.
    {
        QSqlQuery q(d);
        QVERIFY2(q.exec(c.isServer() ? "ALTER TABLE cheque_events DISABLE TRIGGER USER"
                                     : "DROP TRIGGER cheque_events_no_update"),
                 qPrintable(q.lastError().text()));
        QVERIFY(q.exec("UPDATE cheque_events SET detail = 'found again' WHERE seq = " + last));
        if (c.isServer())
            QVERIFY(q.exec("ALTER TABLE cheque_events ENABLE TRIGGER USER"));
    }
    d.close();
    d = QSqlDatabase();
    QSqlDatabase::removeDatabase("other");
    chain = reg.checkHistory();
    QVERIFY(chain.problem());
    QVERIFY2(chain.problem()->startsWith("Event " + last + " (cheque"), qPrintable(*chain.problem()));
    QCOMPARE(chain.events(), 4 + office);
}

void TestRegisterOffice::encryptedConnections()
{
    if (!Server() || qEnvironmentVariableIsEmpty("CHEQUE_PG_CA"))
        QSKIP("no PostgreSQL server with TLS (tests/postgres_register.sh starts one)");
    // The server over TCP, which refuses a connection without encryption.
    RegisterConnection c = *Server();
    c.host = QStringLiteral("127.0.0.1");
    const auto openError = [](const RegisterConnection &connection) {
        return ErrorOf([&] { ChequeRegister(connection).open(); });
    };
    using Encryption = RegisterConnection::Encryption;
    c.encryption = Encryption::Required;
    QCOMPARE(openError(c), QString());
    c.encryption = Encryption::Verified;
    c.caFile = qEnvironmentVariable("CHEQUE_PG_CA");
    QCOMPARE(openError(c), QString());
    // Another authority's certificate, or none: named, with the server.
    c.caFile = qEnvironmentVariable("CHEQUE_PG_OTHER_CA");
    QString error = openError(c);
    QVERIFY2(error.contains("127.0.0.1") && error.contains("did not sign"), qPrintable(error));
    c.caFile = m_dir->filePath("missing.crt");
    QVERIFY2(openError(c).contains("does not exist"), qPrintable(openError(c)));
    // No encryption over a network is refused before the server is asked;
    // through the socket it is allowed.
    c.encryption = Encryption::Off;
    QVERIFY2(openError(c).contains("own socket"), qPrintable(openError(c)));
    RegisterConnection socket = *Server();
    socket.encryption = Encryption::Off;
    QCOMPARE(openError(socket), QString());

    // A server that offers no encryption: said so, nothing opened.
    QSqlDatabase d = OpenAs("admin", socket);
    QVERIFY(d.isOpen());
    const auto setTls = [&](bool on) {
        QSqlQuery q(d);
        return q.exec(on ? "ALTER SYSTEM RESET ssl" : "ALTER SYSTEM SET ssl = off")
            && q.exec("SELECT pg_reload_conf()");
    };
    QVERIFY(setTls(false));
    const auto restore = qScopeGuard([&] {
        setTls(true);
        d.close();
        d = QSqlDatabase();
        QSqlDatabase::removeDatabase("admin");
    });
    c.encryption = Encryption::Required;
    QTRY_VERIFY2((error = openError(c)).contains("does not offer an encrypted connection"), qPrintable(error));
    QVERIFY(error.contains("127.0.0.1"));
}

void TestRegisterOffice::theServerDecidesForEveryLogin()
{
    if (!Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    // The owner sets the office up: accounts of SIB and ADCB in Dhs, cheques
    // above 5,000 Dhs (of ADCB: 1,000) approved first. Alice and Dana are
    // clerks, Omar administers, Eve has no role.
    ChequeRegister owner(*Server());
    owner.setUpOfficeRoles();
    owner.addAccount("SIB", UaeMoney());
    owner.addAccount("ADCB", UaeMoney());
    owner.setApprovalRule({}, "Dhs", 5000000);
    owner.setApprovalRule("ADCB", "Dhs", 1000000);
    QSqlDatabase admin = OpenAs("owner", *Server());
    QSqlQuery(admin).exec("SET client_min_messages = warning");
    const QList<std::pair<QString, QString>> people{{"alice", " IN ROLE cheque_clerks"},
                                                    {"dana", " IN ROLE cheque_clerks"},
                                                    {"omar", " IN ROLE cheque_admins"},
                                                    {"eve", ""}};
    for (const auto &[login, role] : people) {
        QSqlQuery(admin).exec("DROP ROLE IF EXISTS " + login);
        QVERIFY(QSqlQuery(admin).exec("CREATE ROLE " + login + " LOGIN" + role));
    }
    const auto dropPeople = qScopeGuard([&] {
        for (const auto &[login, role] : people) {
            QSqlQuery(admin).exec("DROP OWNED BY " + login);
            QSqlQuery(admin).exec("DROP ROLE " + login);
        }
        admin.close();
        admin = QSqlDatabase();
        QSqlDatabase::removeDatabase("owner");
    });
    const auto as = [](const QString &login) {
        RegisterConnection c = *Server();
        c.user = login;
        return c;
    };
    // A login's own SQL: the error it gets (empty: done).
    const auto sql = [&](const QString &login, const QStringList &statements) {
        QString error;
        {
            QSqlDatabase d = OpenAs("own-" + login, as(login));
            for (const QString &statement : statements)
                if (QSqlQuery q(d); error.isEmpty() && !q.exec(statement))
                    error = q.lastError().databaseText();
        }
        QSqlDatabase::removeDatabase("own-" + login);
        return error;
    };
    ChequeRegister alice(as("alice")), dana(as("dana")), omar(as("omar")), eve(as("eve"));

    // 1, 2. The currency or the bank written otherwise in a clerk's own
    // files: refused, naming the account's; the bank's own rule holds.
    MonyType spaced = UaeMoney();
    spaced.EMoneyName = "Dhs\u00a0";
    IssueResult r = IssueCheque(alice, Make("SIB", "Eskel", "90000", spaced), "printer", Printed);
    QVERIFY2(!r.printed && !r.prepared && r.problem.contains("is in \"Dhs\""), qPrintable(r.problem));
    r = IssueCheque(alice, Make("Adcb", "Eskel", "9000"), "printer", Printed);
    QVERIFY2(!r.printed && r.problem.contains("no account of the bank \"Adcb\" (its accounts: \"ADCB\", \"SIB\")"),
             qPrintable(r.problem));
    QVERIFY(IssueCheque(alice, Make("ADCB", "Eskel", "2000"), "printer", Printed).prepared);
    // A refusal inside a print to a file leaves the file's job to its program.
    RegisterConnection printing = as("alice");
    printing.localFile = m_dir->filePath("alice-local.ini");
    ChequeRegister run(printing);
    const QString target = m_dir->filePath("run.pdf");
    const qint64 job = run.beginFileJob(target, target + ".part");
    QVERIFY(ErrorOf([&] { run.recordSent(Make("SIB", "Eskel", "90000", spaced), target, 0, job); }).contains("Dhs"));
    run.recordSent(Make("SIB", "Eskel", "10"), target, 0, job);
    QCOMPARE(run.failFileJob(job, "stopped"), 1);
    // 5, 6, 9, 10. A clerk's own SQL (or an outsider's) changes no table,
    // takes no lock, gives no number, id, amount or file, and writes no
    // event through a table of its own.
    const qint64 sent = IssueCheque(alice, Make("SIB", "Dorvan", "100"), "printer", Printed).number;
    for (const QString &statement :
         {QStringLiteral("INSERT INTO cheques (id, bank, cheque_number, cheque_date, payee, payee_key, amount_minor, "
                         "digits, amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, "
                         "printed_at, destination, login, state) VALUES (999, 'SIB', 90, 'x', 'E', 'e', -100, 2, 0, "
                         "'Dhs', 'd', 'e', 'a', 0, 'x', 'p', 'x', 'sent')"),
          "UPDATE cheques SET state = 'voided', reason = 'x' WHERE id = " + QString::number(sent),
          QStringLiteral("UPDATE cheque_numbers SET next_number = 900"), QStringLiteral("LOCK TABLE cheque_numbers"),
          QStringLiteral("INSERT INTO file_jobs (target, part, host, started_at, state) VALUES "
                         "('/home/dana/banks.txt', '/home/dana/settings.ini', 'x', 'x', 'complete')"),
          QStringLiteral("SELECT * FROM cheque_record('SIB', 'Dhs', 'd', 2, 'E', 'e', -500, '2027-01-05', 'e', 'a', "
                         "false, 'p', NULL, NULL)"),
          "SELECT cheque_set_state(" + QString::number(sent) + ", 'approved', '', '')"})
        QVERIFY2(!sql("alice", {statement}).isEmpty(), qPrintable(statement));
    for (const QString &login : {QStringLiteral("alice"), QStringLiteral("eve")})
        QVERIFY(sql(login,
                    {"CREATE TEMP TABLE f (id BIGINT, state TEXT)",
                     "CREATE TRIGGER f_history AFTER INSERT ON f FOR EACH ROW EXECUTE FUNCTION "
                     "public.cheque_event_of_change()"})
                    .contains("permission denied for function"));
    QVERIFY(ErrorOf([&] { eve.open(); }).contains("may not read it"));
    // 10. The register held by one clerk's open transaction: another's
    // cheque waits a while, and is told who holds it.
    {
        QSqlDatabase held = OpenAs("held", as("alice"));
        QVERIFY(held.transaction());
        QVERIFY(QSqlQuery(held).exec("SELECT cheque_set_state(" + QString::number(sent) + ", 'delivered', '', '')"));
        r = IssueCheque(dana, Make("SIB", "Tarn", "1"), "printer", Printed);
        QVERIFY2(!r.printed && r.problem.contains("held for more than 5 seconds by alice"), qPrintable(r.problem));
        held.rollback();
        held.close();
    }
    QSqlDatabase::removeDatabase("held");
    // 7. The office's own changes are in the history, with who made them.
    omar.setApprovalRule({}, "Dhs", std::nullopt);
    QVERIFY(IssueCheque(omar, Make("SIB", "Omar", "250000"), "printer", Printed).printed);
    omar.setApprovalRule({}, "Dhs", 5000000);
    QSqlQuery office(admin);
    QVERIFY(office.exec("SELECT kind || '/' || actor FROM cheque_events WHERE cheque IS NULL ORDER BY seq"));
    QStringList changes;
    while (office.next())
        changes << office.value(0).toString();
    QCOMPARE(changes.mid(changes.size() - 2), (QStringList{"rule/omar", "rule/omar"}));
    QVERIFY(changes.contains("account/" + Server()->user) && changes.contains("roles/" + Server()->user));
    // A step after print made by mistake is set back by an administrator
    // alone: a clerk is refused, by the program and by her own SQL.
    alice.markAfterPrint(sent, ChequeState::Delivered, QDate::currentDate(), {});
    QVERIFY(ErrorOf([&] { alice.correctAfterPrint(sent, "wrong cheque"); }).contains("administrators"));
    const QString id = QString::number(sent);
    QVERIFY(sql("alice", {"SET cheque.correcting = 'on'", "SELECT cheque_set_state(" + id + ", 'printed', 'x', '')"})
                .contains("cannot be marked"));
    QVERIFY(!QSqlQuery(admin).exec("UPDATE cheques SET state = 'printed', reason = 'x' WHERE id = " + id));
    omar.correctAfterPrint(sent, "delivered by mistake");
    QCOMPARE(alice.cheque(sent)->state, ChequeState::Printed);
    QCOMPARE(alice.history(sent).last().actor, QStringLiteral("omar"));
    // 3, 4. A cheque printed again: its words made from its amount, its one
    // date, whatever a record says.
    RegisteredCheque record = *alice.cheque(sent);
    record.english = QStringLiteral("// Ninety Thousand Dhs Only //");
    record.date = QStringLiteral("1/1/99");
    const Cheque again = *ChequeOfRecord(record, UaeMoney(), "#", false, QLocale("en_US")).cheque;
    QVERIFY2(again.english.contains("One Hundred") && again.date == "1/31/26", qPrintable(again.english + again.date));
    // 8. The owner rewrites a cheque, or shortens the history: found by the
    // chain, or by a program that saw the history before.
    QCOMPARE(alice.checkHistory().problem(), std::nullopt);
    RegisterConnection witnessed = as("dana");
    witnessed.localFile = m_dir->filePath("register-local.ini");
    ChequeRegister(witnessed).open();
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheques DISABLE TRIGGER USER"));
    QVERIFY(QSqlQuery(admin).exec("UPDATE cheques SET amount_minor = 9000000 WHERE id = " + QString::number(sent)));
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheques ENABLE TRIGGER USER"));
    QVERIFY2(alice.checkHistory().problem().value_or("").contains("not as its history holds it"),
             qPrintable(alice.checkHistory().problem().value_or("")));
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheque_events DISABLE TRIGGER USER"));
    QVERIFY(QSqlQuery(admin).exec("DELETE FROM cheque_events WHERE seq = (SELECT max(seq) FROM cheque_events)"));
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheque_events ENABLE TRIGGER USER"));
    ChequeRegister shortened(witnessed);
    QVERIFY2(ErrorOf([&] { shortened.open(); }).contains("no longer holds the event"),
             qPrintable(ErrorOf([&] { shortened.open(); })));
}

void TestRegisterOffice::approvalBeforePrint()
{
    // A register file has one user: no approval.
    {
        ChequeRegister single(sqlite());
        QVERIFY(ErrorOf([&] { single.setApprovalRule({}, "Dhs", 0); }).contains("on a server"));
    }
    if (!Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    // The owner is the administrator: cheques above 5,000 Dhs need an
    // approval. Alice is a clerk; Bob approves up to 10,000 Dhs; Carol
    // prepares and approves, up to 100,000.
    ChequeRegister owner(*Server());
    owner.setUpOfficeRoles();
    owner.setApprovalRule({}, "Dhs", 5000000);
    owner.addAccount("SIB", UaeMoney());
    owner.addAccount("ADCB", UaeMoney());
    QSqlDatabase admin = OpenAs("owner", *Server());
    QSqlQuery(admin).exec("SET client_min_messages = warning");
    const QStringList people{"alice", "bob", "carol"};
    for (const QString &login : people)
        QSqlQuery(admin).exec("DROP ROLE IF EXISTS " + login);
    QVERIFY(QSqlQuery(admin).exec("CREATE ROLE alice LOGIN IN ROLE cheque_clerks"));
    QVERIFY(QSqlQuery(admin).exec("CREATE ROLE bob LOGIN IN ROLE cheque_approvers"));
    QVERIFY(QSqlQuery(admin).exec("CREATE ROLE carol LOGIN IN ROLE cheque_clerks, cheque_approvers"));
    const auto dropPeople = qScopeGuard([&] {
        for (const QString &login : people) {
            QSqlQuery(admin).exec("DROP OWNED BY " + login);
            QSqlQuery(admin).exec("DROP ROLE " + login);
        }
        admin.close();
        admin = QSqlDatabase();
        QSqlDatabase::removeDatabase("owner");
    });
    owner.setApprovalLimit("bob", "Dhs", 10000000);
    owner.setApprovalLimit("carol", "Dhs", 100000000);
    const auto as = [](const QString &login) {
        RegisterConnection c = *Server();
        c.user = login;
        return c;
    };
    ChequeRegister alice(as("alice")), bob(as("bob")), carol(as("carol"));
    // A bank's own rule comes before the one of every bank.
    owner.setApprovalRule("ADCB", "Dhs", 20000000);
    QCOMPARE(
        QList<bool>({alice.needsApproval(Make("SIB", "x", "5000")), alice.needsApproval(Make("SIB", "x", "5000.01")),
                     alice.needsApproval(Make("ADCB", "x", "7000")), alice.needsApproval(Make("ADCB", "x", "20001"))}),
        QList<bool>({false, true, false, true}));

    // Below the amount: printed at once (and told to the other programs
    // showing the register). Above it: prepared, not printed, no cheque
    // number taken.
    int toldBob = 0;
    bob.setChangeListener([&] { ++toldBob; });
    QCOMPARE(bob.nextChequeNumber("SIB"), 1);
    QVERIFY(IssueCheque(alice, Make("SIB", "Dorvan", "5000"), "printer", Printed).printed);
    QTRY_VERIFY(toldBob > 0);
    bool paper = false;
    const auto print = [&](const ChequeRegister::Recorded &) {
        paper = true;
        return std::optional<QString>();
    };
    const IssueResult big = IssueCheque(alice, Make("SIB", "Eskel", "7000"), "printer", print);
    QVERIFY(big.prepared && !big.printed && !paper);
    QCOMPARE(alice.cheque(big.number)->state, ChequeState::Prepared);
    QCOMPARE(alice.cheque(big.number)->chequeNumber, 0);
    QCOMPARE(alice.nextChequeNumber("SIB"), 2);

    // Nobody approves their own cheque, nor above their limit; a clerk
    // does not approve at all.
    const qint64 carols = IssueCheque(carol, Make("SIB", "Tarn", "8000"), "printer", Printed).number;
    QVERIFY(ErrorOf([&] { carol.decide(carols, true, {}); }).contains("another person"));
    const qint64 large = IssueCheque(alice, Make("SIB", "Tarn", "20000"), "printer", Printed).number;
    QVERIFY(ErrorOf([&] { bob.decide(large, true, {}); }).contains("bob approves cheques of up to 10000 Dhs"));
    QVERIFY(!ErrorOf([&] { alice.decide(big.number, true, {}); }).isEmpty());
    QVERIFY(ErrorOf([&] { bob.decide(large, false, " "); }).contains("reason"));

    // A clerk's own SQL cannot approve, print past the approval or forge
    // who prepared a cheque.
    QSqlDatabase own = OpenAs("alice", as("alice"));
    {
        QSqlQuery q(own);
        // (Her own search path, in which the register's guards find
        // nothing of hers.)
        QVERIFY(q.exec("SET search_path = pg_catalog, public"));
        const QString id = QString::number(big.number);
        for (const QString &sql :
             {"UPDATE cheques SET state = 'approved', reason = 'ok' WHERE id = " + id,
              "UPDATE cheques SET state = 'sent', cheque_number = 7 WHERE id = " + id,
              "SELECT cheque_decide(" + id + ", true, 'ok')",
              QStringLiteral("INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, "
                             "digits, amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, "
                             "printed_at, destination, login, state) VALUES ('SIB', 91, 'x', 'Eskel', 'eskel', "
                             "900000, 2, 1, 'dhs ', 'درهم', 'e', 'a', 0, '2026-12-08T10:00:00.000Z', 'p', "
                             "'alice', 'sent')")})
            QVERIFY2(!q.exec(sql) && q.lastError().databaseText().contains("permission denied"), qPrintable(sql));
    }
    own.close();
    own = QSqlDatabase();
    QSqlDatabase::removeDatabase("alice");

    // Two approvers at once: one of them approves it, the other finds it
    // approved.
    QStringList answers;
    QMutex answered;
    std::vector<std::thread> approvers;
    for (const QString &login : {QStringLiteral("bob"), QStringLiteral("carol")})
        approvers.emplace_back([&, login] {
            {
                QSqlDatabase d = OpenAs("race-" + login, as(login));
                QSqlQuery q(d);
                const bool done = q.exec(QStringLiteral("SELECT cheque_decide(%1, true, 'ok')").arg(big.number));
                const QMutexLocker lock(&answered);
                answers << (done ? QStringLiteral("approved") : q.lastError().databaseText().section(u'\n', 0, 0));
            }
            QSqlDatabase::removeDatabase("race-" + login);
        });
    for (std::thread &t : approvers)
        t.join();
    answers.sort();
    QCOMPARE(answers, (QStringList{"ERROR:  the cheque is approved already", "approved"}));

    // Printed once, with the bank's next number; the second time refused.
    const Cheque approved = *ChequeOfRecord(*alice.cheque(big.number), UaeMoney(), "#", false, QLocale("en_US")).cheque;
    const IssueResult printed = IssueCheque(alice, approved, "printer", Printed, 0, big.number);
    QVERIFY2(printed.printed, qPrintable(printed.problem));
    QCOMPARE(printed.chequeNumber, 2);
    QVERIFY(IssueCheque(alice, approved, "printer", Printed, 0, big.number).problem.contains("once"));
    QStringList kinds;
    for (const ChequeEvent &e : alice.history(big.number))
        kinds << e.kind + u'/' + (e.kind == QLatin1String("approved") ? QStringLiteral("approver") : e.actor);
    QCOMPARE(kinds, (QStringList{"prepared/alice", "approved/approver", "sent/alice", "printed/alice"}));
    bob.decide(large, false, "not this month");
    QCOMPARE(alice.cheque(large)->state, ChequeState::Rejected);
    QCOMPARE(alice.history(large).last().actor, QStringLiteral("bob"));

    // A list to a file: the cheque that needs approval is kept out of it,
    // and the run goes on.
    const QString pdf = m_dir->filePath("run.pdf");
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(alice, output);
    const IssueRunResult run = IssueRun(issuer,
                                        {{Make("SIB", "A", "100"), InitialLayout()},
                                         {Make("SIB", "B", "6000"), InitialLayout()},
                                         {Make("SIB", "C", "200"), InitialLayout()}},
                                        {}, {});
    QCOMPARE(run.sent * 10 + run.prepared, 21);
    QCOMPARE(issuer.finish(), std::nullopt);
    QCOMPARE(PageCount(pdf), 2);
    QCOMPARE(alice.checkHistory().problem(), std::nullopt);
}

QTEST_MAIN(TestRegisterOffice)
#include "tst_registeroffice.moc"
