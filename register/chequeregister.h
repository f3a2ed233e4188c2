// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register of printed cheques: every cheque the program prints is
// recorded, with its number in the bank's cheque book, before its page goes
// to the printer, and marked printed or failed when the printer has it; it
// can be voided or marked spoilt later, and reprinted under a new number.
// Kept in a database through Qt SQL: an SQLite file beside the data files by
// default, or a PostgreSQL server that several clerks share. No widgets.

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include "output/cheque.h"
#include "register/chequehistory.h"
#include "register/chequestates.h"
#include "register/registerconnection.h"
#include "register/registerrecords.h"

class ServerWatch;

class ChequeRegister
{
public:
    explicit ChequeRegister(RegisterConnection connection);
    ~ChequeRegister();
    ChequeRegister(const ChequeRegister &) = delete;
    ChequeRegister &operator=(const ChequeRegister &) = delete;

    const RegisterConnection &connection() const { return m_connection; }

    /// Opens the register, creating a new one (a missing SQLite file, an
    /// empty database) and bringing an older one up to this program's
    /// schema. Raises ChequeError, naming the file or the server, for what
    /// is not a cheque register: a file that is not a database, a database
    /// of another program, a register made by a newer program, a damaged
    /// file; such a register is left exactly as it is.
    void open();
    bool isOpen() const { return m_open; }
    /// True when opening failed because the server asked for a password.
    bool needsPassword() const { return m_needsPassword; }

    /// A cheque recorded before it is printed.
    struct Recorded
    {
        qint64 number = 0;
        qint64 chequeNumber = 0;
        /// Kept for the office's approval: not to be printed (no cheque
        /// number yet).
        bool prepared = false;
    };

    /// Records `cheque` as sent to `destination`, with the bank's next cheque
    /// number, taken and advanced in the same transaction (two programs
    /// recording at once never get the same number); `job` is the file job
    /// its page goes into, if any. Raises ChequeError when the record cannot
    /// be written (the database locked beyond a short wait, the server gone,
    /// the disk full): then nothing may be printed.
    /// On a server whose office approves cheques above an amount, a cheque
    /// that needs approval is recorded as prepared instead, and nothing may
    /// be printed. `approved`: the register number of an approved cheque,
    /// recorded as sent now (once only; `cheque` is its record's).
    Recorded recordSent(const Cheque &cheque, const QString &destination, qint64 replaces = 0, qint64 job = 0,
                        qint64 approved = 0);
    /// The printer has the cheque, or could not take it. A mark that need
    /// not reach the disk at once (`durable` false) gets there with the next
    /// write: lost to a power cut, it leaves the cheque sent, to be checked.
    void markPrinted(qint64 number, bool durable = true);
    void markFailed(qint64 number, const QString &reason);
    /// A voided or spoilt cheque stays in the register, marked, with the
    /// reason, which must be given.
    void voidCheque(qint64 number, const QString &reason);
    void markSpoilt(qint64 number, const QString &reason);
    /// Cheques cleared by the bank, each on its day, all in one transaction
    /// (none when one of them cannot be).
    void markClearedAll(const QList<std::pair<qint64, QDate>> &cleared);
    /// The bank's cheque of that number.
    std::optional<RegisteredCheque> chequeByNumber(const QString &bank, qint64 chequeNumber);
    /// The bank's cheques of those numbers, by number, read a thousand
    /// numbers to a query (a number the register does not have is left out).
    QHash<qint64, RegisteredCheque> chequesByNumber(const QString &bank, const QList<qint64> &chequeNumbers);
    /// The life of a printed cheque: delivered, cleared, returned or stopped
    /// on `day`; a return or a stop with its reason.
    void markAfterPrint(qint64 number, ChequeState state, const QDate &day, const QString &reason);
    /// A step after print made by mistake set back to printed, with the
    /// reason (kept in the history); on a server, by an administrator.
    void correctAfterPrint(qint64 number, const QString &reason);

    // A print to a file: its cheques are recorded as sent while their pages
    // are written to a part of the file beside it, and marked printed
    // together once the file is complete and in its place.

    /// A file job writing `part` to become `target`, on this computer. Its
    /// cheques are recorded a few to a transaction that is not waited for
    /// on the disk (another program waits a moment at most); a cheque that
    /// cannot be recorded takes the others of its transaction with it, and
    /// then the file must be given up (failFileJob). completeFileJob()
    /// is waited for, and brings them all to the disk before the file takes
    /// its place.
    /// Refused while another print of this computer writes the same file.
    qint64 beginFileJob(const QString &target, const QString &part);
    /// The part is complete and on the disk, holding what `digest` (its
    /// SHA-256) says: it is about to become the file.
    void completeFileJob(qint64 job, const QByteArray &digest);
    /// The file is in place: its cheques are printed, all in one transaction.
    void closeFileJob(qint64 job);
    /// The file could not be completed: its cheques failed, with the reason.
    /// Returns how many the register held.
    int failFileJob(qint64 job, const QString &reason);
    /// Settles the file jobs of this computer that were left unfinished by a
    /// program that is no longer running: a file that took its place (the
    /// target holds what the job completed) has its cheques printed; any
    /// other job's cheques failed, and its part is removed, never put in
    /// place. Returns the cheques settled.
    int settleInterruptedFiles();

    std::optional<RegisteredCheque> cheque(qint64 number);
    /// A cheque with the same bank, payee and amount that stands (see
    /// Stands), recorded since `since`: the latest.
    std::optional<RegisteredCheque> findDuplicate(const Cheque &cheque, const QDateTime &since);
    /// The same cheque (bank, payee, amount and date) that stands: the
    /// latest. Nothing for a cheque without a date.
    std::optional<RegisteredCheque> findIssued(const Cheque &cheque);

    /// The banks of the register's cheques and cheque books, sorted.
    QStringList banks();

    /// The number the bank's next cheque gets (1 for a bank not seen yet).
    qint64 nextChequeNumber(const QString &bank);
    /// The number the bank's next cheque takes. Refused (ChequeError) when
    /// a cheque of the register has it already, or when the bank has cheque
    /// books and none holds it.
    void setNextChequeNumber(const QString &bank, qint64 next);
    /// The bank's cheque books, in the order of their leaves. Once a bank
    /// has one, its cheques are printed only on their leaves.
    QList<ChequeBook> chequeBooks(const QString &bank);
    /// A new book of leaves `first` to `last`, meeting no other book of the
    /// bank; the bank's numbers go on in it when the book in use is used up.
    void addChequeBook(const QString &bank, qint64 first, qint64 last);
    /// The leaves left in the book the bank's next number is in (0 when it
    /// is in none); nothing for a bank without cheque books.
    std::optional<qint64> leavesLeft(const QString &bank);

    /// Count and amount of cheques of one currency (of one bank and state,
    /// where they are told apart).
    struct Total
    {
        QString currency;
        int digits = 2;
        qint64 count = 0;
        qint64 minorUnits = 0;
        QString bank;
        ChequeState state = ChequeState::Printed;
    };
    /// The cheques that stand (sent and printed) of those a filter shows,
    /// per currency.
    QList<Total> totals(const RegisterFilter &filter);
    /// All the cheques a filter shows, per currency, bank and state.
    QList<Total> stateTotals(const RegisterFilter &filter);

    /// Where a page of a view ends, to go on after it.
    struct PageKey
    {
        QVariant value;
        qint64 number = 0;
    };
    /// Up to `limit` cheques of a view, newest first in its order, after the
    /// cheque `after` (from the start without one).
    QList<RegisteredCheque> page(const RegisterFilter &filter, RegisterOrder order, bool descending,
                                 const std::optional<PageKey> &after, int limit);
    static PageKey keyOf(const RegisteredCheque &cheque, RegisterOrder order);
    /// Every cheque of a view, in its order, page by page; `each` returns
    /// false to stop. Returns the cheques given.
    qint64 forEach(const RegisterView &view, const std::function<bool(const RegisteredCheque &)> &each);

    /// A cheque's columns as the register holds them, read without
    /// conversion: texts in UTF-8, whole numbers as they are.
    class StoredCheque
    {
    public:
        enum Column {
            Id,
            Bank,
            ChequeNumber,
            Date,
            Payee,
            AmountMinor,
            Digits,
            Currency,
            CurrencyArabic,
            English,
            Arabic,
            AccountOnly,
            PrintedAt,
            Destination,
            Login,
            State,
            Reason,
            Replaces,
            Day,
            StateDay
        };
        enum Kind { Null, Integer, Text, Other };
        virtual Kind kind(Column column) const = 0;
        virtual qint64 integer(Column column) const = 0;
        virtual std::string_view text(Column column) const = 0;
        /// The cheque as the register reads it.
        virtual RegisteredCheque read() const = 0;

    protected:
        ~StoredCheque() = default;
    };
    /// Every cheque of a view, in its order, as stored, read in one query
    /// (one snapshot of the register), for exports that write them as they
    /// are; `each` returns false to stop. False when the register's driver
    /// gives no such read.
    bool forEachStored(const RegisterView &view, const std::function<bool(const StoredCheque &)> &each);

    // The office's approval before print, held by a server (a register file
    // has one user and no approval): cheques above an amount set per bank
    // and currency are prepared, and printed only once a person other than
    // the one who prepared them, allowed that amount, approved them.

    /// Whether `cheque` would be recorded as prepared rather than printed
    /// (false when the register cannot tell: recording it says why).
    bool needsApproval(const Cheque &cheque);
    /// Approves or rejects a prepared cheque, with a comment (which a
    /// rejection must give). Raises ChequeError with the server's reason
    /// (the cheque prepared by this login, above its limit, decided already).
    void decide(qint64 number, bool approve, const QString &comment);
    /// Cheques of `bank` (empty: of every bank without a rule of its own) in
    /// `currency` above `above` (thousandths of the currency) need an
    /// approval; nothing: no longer.
    void setApprovalRule(const QString &bank, const QString &currency, std::optional<qint64> above);
    /// `login` may approve cheques in `currency` up to `limit` (thousandths);
    /// nothing: no longer.
    void setApprovalLimit(const QString &login, const QString &currency, std::optional<qint64> limit);
    /// The rules and limits, each as "bank or login, currency, thousandths".
    struct ApprovalSetting
    {
        QString who; ///< a bank (empty: every bank) or a login
        QString currency;
        qint64 thousandths = 0;
    };
    QList<ApprovalSetting> approvalRules();
    QList<ApprovalSetting> approvalLimits();

    /// A shared register's accounts: a bank as the office writes it, in the
    /// currency the server keeps for it. A cheque names one of them, in its
    /// currency (the one the office's rules are compared with); an
    /// administrator adds them (a register file has none: any bank).
    struct Account
    {
        QString bank;
        QString currency;
        int digits = 2;
    };
    QList<Account> accounts();
    /// Adds the account of `bank` in `currency` (its English name and sub-unit
    /// digits as cheques are written in it). Raises ChequeError with the
    /// server's reason.
    void addAccount(const QString &bank, const MonyType &currency);

    /// The outstanding cheques (written, not yet paid by the bank) dated
    /// from `from` to `to` (both included), per day, bank and currency.
    struct DueDay
    {
        QDate day;
        QString bank;
        QString currency;
        int digits = 2;
        qint64 count = 0;
        qint64 minorUnits = 0;
        QString currencyArabic;
    };
    QList<DueDay> dueDays(const QDate &from, const QDate &to);

    /// A cheque's history, oldest first.
    QList<ChequeEvent> history(qint64 number);
    /// Recomputes the whole history's chain: how many events it holds, its
    /// latest hash, and the first event that does not match the history
    /// before it.
    ChainCheck checkHistory();
    /// The history's latest event, whose hash seals all before it.
    std::optional<ChequeEvent> latestEvent();

    /// Sets up a shared register for an office of several people (run by
    /// the database's owner, again at will): the group roles cheque_clerks
    /// (record and print), cheque_approvers and cheque_admins (cheque
    /// numbers too), each allowed only what its people do, nothing to
    /// anyone else. Raises ChequeError for a register file.
    void setUpOfficeRoles();

    /// The schema this program writes for this register (a file's or a
    /// server's).
    int latestVersion() const;
    /// Called when another program changes a shared register's cheques
    /// (a register file tells nothing).
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }
    /// Whether another program changed a register file since this was last
    /// asked (a server's changes are told to the listener).
    bool changedElsewhere();

    /// How long a call to a server may take before it is given up.
    static constexpr int ServerSeconds = 6;

private:
    /// A use of the register: open, and on a server watched so that a call
    /// never waits longer than ServerSeconds.
    class Use
    {
    public:
        /// A use other than recording a cheque of a file job first writes
        /// the job's cheques recorded so far.
        explicit Use(ChequeRegister &reg, bool inJobBatch = false);
        ~Use();
        Use(const Use &) = delete;
        Use &operator=(const Use &) = delete;

    private:
        ChequeRegister &m_register;
    };

    /// forEachStored's query on a server, its named values given by number.
    bool forEachStoredOnServer(QString sql, const QVariantMap &values,
                               const std::function<bool(const StoredCheque &)> &each);
    /// Raises ChequeError with `sentence` ("Cannot open %1: %2") told the
    /// register and the reason.
    [[noreturn]] void fail(const QString &sentence, const QString &why) const;
    /// What a server's error says: a refusal by the register's own rules as
    /// its first line; a lock waited for in vain with who holds it.
    QString serverReason(const QSqlError &error);
    QSqlDatabase db() const;
    /// A cheque like `cheque` that stands and meets `condition` (with its
    /// `values`): the latest.
    std::optional<RegisteredCheque> findStanding(const Cheque &cheque, const QString &condition,
                                                 const QVariantMap &values);
    void exec(const QString &sql);
    void createSchema();
    /// The schema version a register holds; raises ChequeError for one
    /// this program never wrote.
    int schemaVersion();
    /// Checks, once a session before the first write, that the file is not
    /// damaged; raises ChequeError when it is.
    void checkSound();
    void upgrade(int from);
    /// A server's login owns the register's tables (or is in the role
    /// that does).
    bool ownsRegister();
    void upgradeFrom(int version); ///< inside a transaction
    void begin();
    /// Inside a transaction, waits for any other program making or
    /// upgrading the register.
    void serialize();
    void commit();
    void rollback();
    Recorded record(const Cheque &cheque, const QString &destination, qint64 replaces, qint64 job, qint64 approved);
    QList<ApprovalSetting> approvalSettings(const QString &select);
    /// Sets (nothing: removes) the amount of a rule or a limit through the
    /// server's `function`, by who it is for and the currency.
    void setApprovalAmount(const char *function, const QString &who, const QString &currency,
                           std::optional<qint64> amount);
    /// Asks the server's rules; nothing when the query failed.
    std::optional<bool> askApproval(const Cheque &cheque);
    /// Runs a statement of the office's approval in a transaction of its
    /// own; a refusal is told as the server gives it.
    void approvalCall(const QString &sentence, const QString &sql, const QVariantMap &values);
    void setState(qint64 number, ChequeState state, const QString &reason, bool durable = true,
                  const QDate &day = QDate());
    /// Changes a cheque's state inside a transaction, as the register
    /// allows (see CanChangeState), with its event.
    /// A clearing is refused before the day the cheque was printed
    /// (`printedOn`, read from the register when not given).
    void changeState(qint64 number, ChequeState state, const QString &reason, const QDate &day,
                     std::optional<QDate> printedOn = std::nullopt);
    /// Runs `sql`, whose "%1" takes a list of placeholders, over `values` a
    /// chunk at a time (`first`, when valid, bound before them), each row
    /// to `row`.
    void selectIn(const QString &sql, const QVariant &first, const QList<qint64> &values,
                  const std::function<void(const QSqlQuery &)> &row);
    /// The cheques table's states checked for this program's states (on a
    /// file: the table made again, as SQLite alters no constraint).
    void allowEveryState();
    /// `sql` prepared once for the connection.
    QSqlQuery &prepared(const QString &sql);
    /// The cheques of a file job are recorded a few at a time, in one
    /// transaction that is not waited for on the disk; endJobBatch() writes
    /// them.
    void beginJobBatch();
    void endJobBatch();
    /// SQLite's writes that follow waited for on the disk (as the file is
    /// opened), or not; nothing for a server.
    void waitForTheDisk(bool wait);
    /// A server's transaction committed without waiting for its disk;
    /// nothing for SQLite.
    void commitWithoutWaiting();
    /// A write that is waited for on the disk, or not (SQLite's sync left
    /// out for it; a server told so for its transaction, in which
    /// inTransaction() is called). The journal keeps the order of writes:
    /// the next write that is waited for brings it to the disk.
    class Durability
    {
    public:
        Durability(ChequeRegister &reg, bool durable);
        ~Durability();
        Durability(const Durability &) = delete;
        Durability &operator=(const Durability &) = delete;
        void inTransaction() const;

    private:
        ChequeRegister &m_register;
        bool m_durable;
    };
    /// The sent cheques of a file job take `state`; the job `jobState`.
    int endFileJob(qint64 job, ChequeState state, const QString &reason, const char *jobState);
    void fillChequeDays();
    /// Checks that a shared register's history still holds the latest event
    /// this computer saw of it (raises ChequeError when it does not), and
    /// keeps its latest event.
    void checkWitness();
    void rememberLatestEvent();
    QString witnessGroup() const;
    /// The history's columns, as ChequeEvent holds them.
    QString eventColumns() const;
    /// Runs the schema's script `name` (see SchemaScript).
    void runScript(const QString &name);
    /// A print job to a file that is not finished: its target and part (on
    /// a server, as this computer keeps them), its state, its digest.
    struct FileJob
    {
        qint64 id = 0;
        QString target, part, state;
        QByteArray digest;
    };
    /// This computer's unfinished print jobs to files of the register.
    QList<FileJob> unfinishedFileJobs();
    /// The group of this register's jobs in the local file.
    QString localJobsGroup() const;
    /// Appends an event of a cheque (inside a transaction); while events
    /// are gathered, to those gathered.
    void addEvent(qint64 cheque, const QString &kind, const QString &detail);
    /// Events of a register file are gathered (each chained to the one
    /// before) and written many to a statement by writeGathered(), inside
    /// the same transaction: a reconciliation writes thousands.
    void gatherEvents() { m_gathered.emplace(); }
    void writeGathered();
    std::optional<std::vector<ChequeEvent>> m_gathered;

    RegisterConnection m_connection;
    QString m_name; ///< of the Qt SQL connection
    mutable bool m_open = false;
    std::unique_ptr<ServerWatch> m_watch;
    int m_uses = 0;
    bool m_needsPassword = false;
    bool m_checked = false; ///< the file found sound in this session
    QHash<QString, QSqlQuery> m_queries;
    int m_jobBatch = 0; ///< cheques recorded in the open job transaction (0: none is open)
    QElapsedTimer m_jobBatchAge;
    QSet<qint64> m_ownJobs; ///< the file jobs this program began and has not ended
    std::function<void()> m_listener;
    qint64 m_dataVersion = -1;              ///< a file's data version when last asked
    QMetaObject::Connection m_notification; ///< the server's change notifications to the listener
};
