<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>BankFiles</name>
    <message>
        <source>%1

The program goes on with %2. The file is left as it is: it is replaced at close only if you change banks or layouts and agree.</source>
        <translation>%1

يتابع البرنامج بـ⁨%2⁩. ويبقى الملف على حاله: لا يُستبدل عند الإغلاق إلا إذا غيّرت البنوك أو التصاميم ووافقت.</translation>
    </message>
    <message>
        <source>the single bank &quot;SIB&quot; and its first layout</source>
        <translation>البنك الوحيد «SIB» وتصميمه الأول</translation>
    </message>
    <message>
        <source>the first layout for every bank</source>
        <translation>التصميم الأول لكل بنك</translation>
    </message>
    <message>
        <source>%1 could not be read when the program started, and the banks or layouts have changed since.

Replace banks.txt and options.txt with the banks and layouts of this session?</source>
        <translation>تعذّرت قراءة ⁨%1⁩ عند بدء البرنامج، وتغيّرت البنوك أو التصاميم منذ ذلك الحين.

هل تريد استبدال banks.txt وoptions.txt ببنوك هذه الجلسة وتصاميمها؟</translation>
    </message>
    <message>
        <source>The file as it was is kept as &quot;%1&quot;.</source>
        <translation>حُفظ الملف كما كان باسم «⁨%1⁩».</translation>
    </message>
    <message>
        <source>It could not be kept as &quot;%1&quot;.</source>
        <translation>تعذّر حفظه باسم «⁨%1⁩».</translation>
    </message>
    <message>
        <source>The bank list &quot;%1&quot; is damaged: line %2 holds control characters, which no bank&apos;s name has.</source>
        <translation>قائمة البنوك ⁨&quot;%1&quot;⁩ تالفة: في سطرها ⁨%2⁩ محارف تحكّم لا يحملها اسم أي بنك.</translation>
    </message>
    <message>
        <source>A copy of it was kept as &quot;%1&quot;.</source>
        <translation>حُفظت نسخة منها باسم ⁨&quot;%1&quot;⁩.</translation>
    </message>
    <message>
        <source>It could not be copied to &quot;%1&quot;.</source>
        <translation>تعذّر نسخها إلى ⁨&quot;%1&quot;⁩.</translation>
    </message>
</context>
<context>
    <name>BatchCommand</name>
    <message>
        <source>There is no printer &quot;%1&quot;.</source>
        <translation>لا توجد طابعة باسم «⁨%1⁩».</translation>
    </message>
    <message>
        <source>Nothing was printed: check the currency in the Money window.</source>
        <translation>لم يُطبع شيء: راجع العملة في نافذة العملة.</translation>
    </message>
    <message>
        <source>Nothing was printed: set the currency in the Money window, or move the file away.</source>
        <translation>لم يُطبع شيء: اضبط العملة في نافذة العملة، أو انقل الملف إلى مكان آخر.</translation>
    </message>
    <message>
        <source>There is no bank &quot;%1&quot; in the bank list.</source>
        <translation>لا يوجد بنك «⁨%1⁩» في قائمة البنوك.</translation>
    </message>
    <message>
        <source>Nothing was printed: every cheque is recorded in the register first.</source>
        <translation>لم يُطبع شيء: يُسجَّل كل شيك في السجل قبل طباعته.</translation>
    </message>
    <message>
        <source>Row %1: %2</source>
        <translation>الصف ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>%L1 of %Ln cheque printed: %2 %3.</source>
        <translation>طُبع ⁨%L1⁩ من شيك واحد: ⁨%2⁩ ⁨%3⁩.</translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %Ln cheques printed: %2 %3.</source>
        <translation>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيك: ⁨%2⁩ ⁨%3⁩.</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من شيك واحد: ⁨%2⁩ ⁨%3⁩.</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من شيكين: ⁨%2⁩ ⁨%3⁩.</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيكات: ⁨%2⁩ ⁨%3⁩.</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيكاً: ⁨%2⁩ ⁨%3⁩.</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيك: ⁨%2⁩ ⁨%3⁩.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The register&apos;s history does not match: %1
The %Ln events before it match.</source>
        <translation>
            <numerusform>سجل أحداث الشيكات لا يطابق نفسه: ⁨%1⁩
ولا أحداث قبله.</numerusform>
            <numerusform>سجل أحداث الشيكات لا يطابق نفسه: ⁨%1⁩
والحدث الذي قبله مطابق.</numerusform>
            <numerusform>سجل أحداث الشيكات لا يطابق نفسه: ⁨%1⁩
والحدثان اللذان قبله مطابقان.</numerusform>
            <numerusform>سجل أحداث الشيكات لا يطابق نفسه: ⁨%1⁩
والأحداث الـ%Ln التي قبله مطابقة.</numerusform>
            <numerusform>سجل أحداث الشيكات لا يطابق نفسه: ⁨%1⁩
والأحداث الـ%Ln التي قبله مطابقة.</numerusform>
            <numerusform>سجل أحداث الشيكات لا يطابق نفسه: ⁨%1⁩
والأحداث الـ%Ln التي قبله مطابقة.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The register&apos;s history is whole: %Ln events. Latest hash: %1</source>
        <translation>
            <numerusform>سجل أحداث الشيكات سليم: لا أحداث. آخر بصمة: ⁨%1⁩</numerusform>
            <numerusform>سجل أحداث الشيكات سليم: حدث واحد. آخر بصمة: ⁨%1⁩</numerusform>
            <numerusform>سجل أحداث الشيكات سليم: حدثان. آخر بصمة: ⁨%1⁩</numerusform>
            <numerusform>سجل أحداث الشيكات سليم: %Ln أحداث. آخر بصمة: ⁨%1⁩</numerusform>
            <numerusform>سجل أحداث الشيكات سليم: %Ln حدثاً. آخر بصمة: ⁨%1⁩</numerusform>
            <numerusform>سجل أحداث الشيكات سليم: %Ln حدث. آخر بصمة: ⁨%1⁩</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an amount (for instance 5000 or 12500.750).</source>
        <translation>«⁨%1⁩» ليس مبلغاً (مثلاً 5000 أو 12500.750).</translation>
    </message>
    <message>
        <source>Cheques of %1 above %2 %3 need approval.</source>
        <translation>شيكات ⁨%1⁩ التي تزيد على ⁨%2⁩ ⁨%3⁩ تحتاج إلى موافقة.</translation>
    </message>
    <message>
        <source>every bank</source>
        <translation>كل البنوك</translation>
    </message>
    <message>
        <source>%1 approves cheques of up to %2 %3.</source>
        <translation>⁨%1⁩ يوافق على الشيكات حتى ⁨%2⁩ ⁨%3⁩.</translation>
    </message>
    <message>
        <source>No cheque needs approval.</source>
        <translation>لا يحتاج أي شيك إلى موافقة.</translation>
    </message>
    <message>
        <source>Row %1: needs the office&apos;s approval; recorded as prepared (register number %2), not printed.</source>
        <translation>السطر ⁨%1⁩: يحتاج إلى موافقة المكتب؛ سُجّل مُعَدّاً (رقم السجل ⁨%2⁩) ولم يُطبع.</translation>
    </message>
    <message>
        <source>%1 is set up for an office. Give each person a login in one of its roles, for instance:
  CREATE ROLE name LOGIN PASSWORD &apos;…&apos; IN ROLE cheque_clerks;
cheque_clerks record and print cheques; cheque_admins also set cheque numbers and the approval of cheques (--approval-rule, --approval-limit); cheque_approvers approve or reject cheques.</source>
        <translation>أُعدّ ⁨%1⁩ لمكتب. أعطِ كل شخص اسم دخول في أحد أدواره، مثلاً:
  CREATE ROLE name LOGIN PASSWORD &apos;…&apos; IN ROLE cheque_clerks;
يسجّل cheque_clerks الشيكات ويطبعونها؛ ويضبط cheque_admins أيضاً أرقام الشيكات والموافقة على الشيكات (‎--approval-rule‎ و‎--approval-limit‎)؛ ويوافق cheque_approvers على الشيكات أو يرفضونها.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cheques of %1 cleared; %2 lines do not match.</source>
        <translation>
            <numerusform>لم يُصرف أي شيك من ⁨%1⁩؛ ⁨%2⁩ سطور لا تطابق.</numerusform>
            <numerusform>صُرف شيك واحد من ⁨%1⁩؛ ⁨%2⁩ سطور لا تطابق.</numerusform>
            <numerusform>صُرف شيكان من ⁨%1⁩؛ ⁨%2⁩ سطور لا تطابق.</numerusform>
            <numerusform>صُرفت %Ln شيكات من ⁨%1⁩؛ ⁨%2⁩ سطور لا تطابق.</numerusform>
            <numerusform>صُرف %Ln شيكاً من ⁨%1⁩؛ ⁨%2⁩ سطور لا تطابق.</numerusform>
            <numerusform>صُرف %Ln شيك من ⁨%1⁩؛ ⁨%2⁩ سطور لا تطابق.</numerusform>
        </translation>
    </message>
    <message>
        <source>The register&apos;s history does not hold the hash %1: it was shortened or written anew since that hash was kept.</source>
        <translation>سجل أحداث الشيكات لا يحوي البصمة ⁨%1⁩: قُصّر أو كُتب من جديد منذ حُفظت تلك البصمة.</translation>
    </message>
    <message>
        <source>%1: %2, %3 sub-unit digits</source>
        <translation>⁨%1⁩: ⁨%2⁩، ⁨%3⁩ أرقام للأجزاء</translation>
    </message>
    <message>
        <source>Row %1: like a cheque of %2 recorded on %3 (%4); not printed (give --allow-duplicates to print it).</source>
        <translation>الصف ⁨%1⁩: يشبه شيكاً من ⁨%2⁩ سُجّل في ⁨%3⁩ (⁨%4⁩)؛ لم يُطبع (أضف ⁨--allow-duplicates⁩ لطباعته).</translation>
    </message>
</context>
<context>
    <name>BatchWindow</name>
    <message>
        <source>Print from a List</source>
        <translation>الطباعة من قائمة</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>الصف</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>البنك</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>المستفيد</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Account Only</source>
        <translation>للمستفيد الأول</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>المبلغ كتابة</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>ملاحظة</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>المشكلة</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>نعم</translation>
    </message>
    <message>
        <source>No list is open.</source>
        <translation>لا قائمة مفتوحة.</translation>
    </message>
    <message>
        <source>Open List…</source>
        <translation>فتح قائمة…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>طباعة…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>Open a List of Cheques</source>
        <translation>فتح قائمة شيكات</translation>
    </message>
    <message>
        <source>Lists of cheques (*.csv *.xlsx *.txt);;All files (*)</source>
        <translation>قوائم الشيكات ⁦(*.csv *.xlsx *.txt);;كل الملفات ⁦(*)</translation>
    </message>
    <message>
        <source>%Ln cheque to print: %1 %2.</source>
        <translation>شيك واحد للطباعة: ⁨%1⁩ ⁨%2⁩.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cheques to print: %1 %2.</source>
        <translation>
            <numerusform>لا شيكات للطباعة: ⁨%1⁩ ⁨%2⁩.</numerusform>
            <numerusform>شيك واحد للطباعة: ⁨%1⁩ ⁨%2⁩.</numerusform>
            <numerusform>شيكان للطباعة: ⁨%1⁩ ⁨%2⁩.</numerusform>
            <numerusform>%Ln شيكات للطباعة: ⁨%1⁩ ⁨%2⁩.</numerusform>
            <numerusform>%Ln شيكاً للطباعة: ⁨%1⁩ ⁨%2⁩.</numerusform>
            <numerusform>%Ln شيك للطباعة: ⁨%1⁩ ⁨%2⁩.</numerusform>
        </translation>
    </message>
    <message>
        <source>%Ln row has a problem and will not be printed (marked in red).</source>
        <translation>صف واحد فيه مشكلة ولن يُطبع (مُعلَّم بالأحمر).</translation>
    </message>
    <message numerus="yes">
        <source>%Ln rows have a problem and will not be printed (marked in red).</source>
        <translation>
            <numerusform>لا صفوف فيها مشكلة.</numerusform>
            <numerusform>صف واحد فيه مشكلة ولن يُطبع (مُعلَّم بالأحمر).</numerusform>
            <numerusform>صفان فيهما مشكلة ولن يُطبعا (مُعلَّمان بالأحمر).</numerusform>
            <numerusform>%Ln صفوف فيها مشكلة ولن تُطبع (مُعلَّمة بالأحمر).</numerusform>
            <numerusform>%Ln صفاً فيها مشكلة ولن تُطبع (مُعلَّمة بالأحمر).</numerusform>
            <numerusform>%Ln صف فيها مشكلة ولن تُطبع (مُعلَّمة بالأحمر).</numerusform>
        </translation>
    </message>
    <message>
        <source>Print %Ln Cheque…</source>
        <translation>طباعة شيك واحد…</translation>
    </message>
    <message numerus="yes">
        <source>Print %Ln Cheques…</source>
        <translation>
            <numerusform>طباعة…</numerusform>
            <numerusform>طباعة شيك واحد…</numerusform>
            <numerusform>طباعة شيكين…</numerusform>
            <numerusform>طباعة %Ln شيكات…</numerusform>
            <numerusform>طباعة %Ln شيكاً…</numerusform>
            <numerusform>طباعة %Ln شيك…</numerusform>
        </translation>
    </message>
    <message>
        <source>The bank of the rows that name none</source>
        <translation>البنك الذي تُطبع عليه الصفوف التي لا تذكر بنكاً</translation>
    </message>
    <message>
        <source>Bank of rows without one:</source>
        <translation>بنك الصفوف التي بلا بنك:</translation>
    </message>
    <message>
        <source>Schedule…</source>
        <translation>جدول شيكات…</translation>
    </message>
    <message>
        <source>Post-dated cheques to one payee: the same amount every month, quarter, half year or year</source>
        <translation>شيكات مؤجلة لمستفيد واحد: المبلغ نفسه كل شهر أو ربع سنة أو نصف سنة أو سنة</translation>
    </message>
    <message>
        <source>monthly</source>
        <translation>شهرياً</translation>
    </message>
    <message>
        <source>quarterly</source>
        <translation>كل ربع سنة</translation>
    </message>
    <message>
        <source>half-yearly</source>
        <translation>كل نصف سنة</translation>
    </message>
    <message>
        <source>yearly</source>
        <translation>سنوياً</translation>
    </message>
    <message numerus="yes">
        <source>Schedule: %Ln cheques to %1, %2</source>
        <translation>
            <numerusform>جدول: لا شيكات إلى ⁨%1⁩، ⁨%2⁩</numerusform>
            <numerusform>جدول: شيك واحد إلى ⁨%1⁩، ⁨%2⁩</numerusform>
            <numerusform>جدول: شيكان إلى ⁨%1⁩، ⁨%2⁩</numerusform>
            <numerusform>جدول: %Ln شيكات إلى ⁨%1⁩، ⁨%2⁩</numerusform>
            <numerusform>جدول: %Ln شيكاً إلى ⁨%1⁩، ⁨%2⁩</numerusform>
            <numerusform>جدول: %Ln شيك إلى ⁨%1⁩، ⁨%2⁩</numerusform>
        </translation>
    </message>
    <message>
        <source>Print</source>
        <translation>اطبع</translation>
    </message>
    <message>
        <source>In the Register</source>
        <translation>في السجل</translation>
    </message>
    <message>
        <source>Double-click to mend the cell</source>
        <translation>انقر نقراً مزدوجاً لتصحيح الخانة</translation>
    </message>
    <message>
        <source>The list has no column %1: add it to the file to give each row its own.</source>
        <translation>ليس في القائمة عمود %1: أضفه إلى الملف ليكون لكل صف قيمته.</translation>
    </message>
    <message>
        <source>Row %1 is empty.</source>
        <translation>الصف ⁨%1⁩ فارغ.</translation>
    </message>
    <message>
        <source>Row %1 mended here; the file is left as it was.</source>
        <translation>صُحِّح الصف ⁨%1⁩ هنا؛ وبقي الملف كما كان.</translation>
    </message>
    <message>
        <source>Row %1 is in the register already: %2.</source>
        <translation>الصف ⁨%1⁩ في السجل من قبل: %2.</translation>
    </message>
    <message>
        <source>%Ln row is in the register already or left out (in grey): tick it to print it.</source>
        <translation>صف واحد في السجل من قبل أو مستبعد (بالرمادي): علِّم عليه لطباعته.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln rows are in the register already or left out (in grey): tick them to print them.</source>
        <translation>
            <numerusform>لا صفوف في السجل من قبل.</numerusform>
            <numerusform>صف واحد في السجل من قبل أو مستبعد (بالرمادي): علِّم عليه لطباعته.</numerusform>
            <numerusform>صفان في السجل من قبل أو مستبعدان (بالرمادي): علِّم عليهما لطباعتهما.</numerusform>
            <numerusform>⁨%Ln⁩ صفوف في السجل من قبل أو مستبعدة (بالرمادي): علِّم عليها لطباعتها.</numerusform>
            <numerusform>⁨%Ln⁩ صفاً في السجل من قبل أو مستبعدة (بالرمادي): علِّم عليها لطباعتها.</numerusform>
            <numerusform>⁨%Ln⁩ صف في السجل من قبل أو مستبعدة (بالرمادي): علِّم عليها لطباعتها.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ChequeDesk</name>
    <message>
        <source>The cheque needs the office&apos;s approval: it is recorded as prepared, without a cheque number, and was not printed. Once another person approves it, print it from the register window (Print Approved).</source>
        <translation>يحتاج الشيك إلى موافقة المكتب: سُجّل مُعَدّاً دون رقم شيك ولم يُطبع. بعد أن يوافق عليه شخص آخر، اطبعه من نافذة السجل («طباعة الموافق عليه»).</translation>
    </message>
    <message numerus="yes">
        <source>%n cheques need the office&apos;s approval: they are recorded as prepared, without cheque numbers, and were not printed. Once another person approves them, print them from the register window (Print Approved).</source>
        <translation>
            <numerusform>لا يحتاج أي شيك إلى موافقة المكتب.</numerusform>
            <numerusform>يحتاج شيك واحد إلى موافقة المكتب: سُجّل مُعَدّاً دون رقم شيك ولم يُطبع. بعد أن يوافق عليه شخص آخر، اطبعه من نافذة السجل («طباعة الموافق عليه»).</numerusform>
            <numerusform>يحتاج شيكان إلى موافقة المكتب: سُجّلا مُعَدّين دون رقمي شيك ولم يُطبعا. بعد أن يوافق عليهما شخص آخر، اطبعهما من نافذة السجل («طباعة الموافق عليه»).</numerusform>
            <numerusform>تحتاج %n شيكات إلى موافقة المكتب: سُجّلت مُعَدّة دون أرقام شيكات ولم تُطبع. بعد أن يوافق عليها شخص آخر، اطبعها من نافذة السجل («طباعة الموافق عليه»).</numerusform>
            <numerusform>يحتاج %n شيكاً إلى موافقة المكتب: سُجّلت مُعَدّة دون أرقام شيكات ولم تُطبع. بعد أن يوافق عليها شخص آخر، اطبعها من نافذة السجل («طباعة الموافق عليه»).</numerusform>
            <numerusform>يحتاج %n شيك إلى موافقة المكتب: سُجّلت مُعَدّة دون أرقام شيكات ولم تُطبع. بعد أن يوافق عليها شخص آخر، اطبعها من نافذة السجل («طباعة الموافق عليه»).</numerusform>
        </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>خطأ</translation>
    </message>
    <message>
        <source>There is no date: %1.</source>
        <translation>لا يوجد تاريخ: ⁨%1⁩.</translation>
    </message>
    <message>
        <source>The date &quot;%1&quot; cannot be read: %2.</source>
        <translation>تعذّرت قراءة التاريخ «⁨%1⁩»: ⁨%2⁩.</translation>
    </message>
    <message>
        <source>There is no amount.</source>
        <translation>لا يوجد مبلغ.</translation>
    </message>
    <message>
        <source>The amount &quot;%1&quot; is not a number.</source>
        <translation>المبلغ «⁨%1⁩» ليس رقماً.</translation>
    </message>
    <message>
        <source>Date it otherwise: %1.</source>
        <translation>اكتب تاريخاً آخر: %1.</translation>
    </message>
    <message>
        <source> Nothing was printed.</source>
        <translation> لم يُطبع شيء.</translation>
    </message>
    <message>
        <source>no printer was chosen for it</source>
        <translation>لم تُختر له طابعة</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cheques wait for approval.</source>
        <translation>
            <numerusform>لا ينتظر أي شيك الموافقة.</numerusform>
            <numerusform>ينتظر شيك واحد الموافقة.</numerusform>
            <numerusform>ينتظر شيكان الموافقة.</numerusform>
            <numerusform>تنتظر %Ln شيكات الموافقة.</numerusform>
            <numerusform>ينتظر %Ln شيكاً الموافقة.</numerusform>
            <numerusform>ينتظر %Ln شيك الموافقة.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1

The cheque was not printed: every cheque is recorded in the register before it is printed. Choose another register (Register, Register Connection), or move the file away.</source>
        <translation>%1

لم يُطبع الشيك: يُسجَّل كل شيك في السجل قبل طباعته. اختر سجلاً آخر (السجل، اتصال السجل) أو انقل الملف إلى مكان آخر.</translation>
    </message>
    <message>
        <source>

The cheque was printed; the register shows it as sent.</source>
        <translation>

طُبع الشيك؛ ويظهر في السجل على أنه مُرسَل.</translation>
    </message>
    <message>
        <source> Nothing more was printed.</source>
        <translation> ولم يُطبع بعده شيء.</translation>
    </message>
    <message>
        <source>Cheque No. %1 of %2 printed to %3.</source>
        <translation>طُبع الشيك رقم ⁨%1⁩ من ⁨%2⁩ إلى ⁨%3⁩.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cheques printed to %1.</source>
        <translation>
            <numerusform>لم يُطبع أي شيك إلى ⁨%1⁩.</numerusform>
            <numerusform>طُبع شيك واحد إلى ⁨%1⁩.</numerusform>
            <numerusform>طُبع شيكان إلى ⁨%1⁩.</numerusform>
            <numerusform>طُبعت %Ln شيكات إلى ⁨%1⁩.</numerusform>
            <numerusform>طُبع %Ln شيكاً إلى ⁨%1⁩.</numerusform>
            <numerusform>طُبع %Ln شيك إلى ⁨%1⁩.</numerusform>
        </translation>
    </message>
    <message>
        <source>No cheque was printed.</source>
        <translation>لم يُطبع أي شيك.</translation>
    </message>
    <message>
        <source>The cheque book of %1 is used up: add the next one (Cheque Numbers in the register window) before the next cheque.</source>
        <translation>نفد دفتر شيكات ⁨%1⁩: أضف الدفتر التالي (أرقام الشيكات في نافذة السجل) قبل الشيك التالي.</translation>
    </message>
    <message>
        <source>Date Error</source>
        <translation>خطأ في التاريخ</translation>
    </message>
    <message>
        <source>The bank &quot;%1&quot; is no longer in the bank list: add it (with its layout) in Setup to reprint its cheques.</source>
        <translation>لم يعد البنك «⁨%1⁩» في قائمة البنوك: أضفه (مع تصميمه) في «تصميم الشيك» لإعادة طباعة شيكاته.</translation>
    </message>
    <message>
        <source>Print cheque No. %1 to &quot;%2&quot; for %3 %4 again, as cheque No. %5 of %6?

Cheque No. %1 is then marked spoilt.</source>
        <translation>هل تريد طباعة الشيك رقم ⁨%1⁩ إلى «⁨%2⁩» بمبلغ ⁨%3⁩ ⁨%4⁩ مرة أخرى بوصفه الشيك رقم ⁨%5⁩ من ⁨%6⁩؟

عندئذ يُعلَّم الشيك رقم ⁨%1⁩ تالفاً.</translation>
    </message>
    <message>
        <source>The bank &quot;%1&quot; is no longer in the bank list: add it (with its layout) in Setup to print its cheques.</source>
        <translation>لم يعد البنك «⁨%1⁩» في قائمة البنوك: أضفه (مع تصميمه) في «تصميم الشيك» لطباعة شيكاته.</translation>
    </message>
    <message>
        <source>Print the approved cheque to &quot;%1&quot; for %2 %3 of %4?</source>
        <translation>طباعة الشيك الموافق عليه إلى «⁨%1⁩» بمبلغ ⁨%2⁩ ⁨%3⁩ من ⁨%4⁩؟</translation>
    </message>
    <message>
        <source>And %1 more.</source>
        <translation>و⁨%1⁩ غيرها.</translation>
    </message>
    <message>
        <source>Row %1: %2</source>
        <translation>الصف ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cancelled before row %1.</source>
        <translation>أُلغيت قبل الصف ⁨%1⁩.</translation>
    </message>
    <message>
        <source>Stopped at row %1.</source>
        <translation>توقفت عند الصف ⁨%1⁩.</translation>
    </message>
    <message>
        <source>%L1 of %Ln cheque printed. %2</source>
        <translation>طُبع ⁨%L1⁩ من شيك واحد. ⁨%2⁩</translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %Ln cheques printed. %2</source>
        <translation>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيك. ⁨%2⁩</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من شيك واحد. ⁨%2⁩</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من شيكين. ⁨%2⁩</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيكات. ⁨%2⁩</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيكاً. ⁨%2⁩</numerusform>
            <numerusform>طُبع ⁨%L1⁩ من %Ln شيك. ⁨%2⁩</numerusform>
        </translation>
    </message>
    <message>
        <source>%1

The banks and layouts are kept in the program; they are written again at the next save and at close.</source>
        <translation>%1

تبقى البنوك والتصاميم في البرنامج؛ وتُكتب مرة أخرى عند الحفظ التالي وعند الإغلاق.</translation>
    </message>
    <message>
        <source>%1

Try again? Choose No to close without saving the banks and layouts; the files keep what they held.</source>
        <translation>%1

هل تريد المحاولة مرة أخرى؟ اختر «لا» للإغلاق دون حفظ البنوك والتصاميم؛ وتبقى الملفات على ما كانت عليه.</translation>
    </message>
    <message>
        <source>cheque No. %1, %2</source>
        <translation>الشيك رقم ⁨%1⁩، ⁨%2⁩</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cheques of %1 are to be printed, and only %2 leaves are left in its cheque books: add the next cheque book (Cheque Numbers in the register window) first. Nothing was printed.</source>
        <translation>
            <numerusform>لا شيكات من ⁨%1⁩ للطباعة، ولم يبقَ في دفاتر شيكاته إلا ⁨%2⁩ ورقة: أضف دفتر الشيكات التالي (أرقام الشيكات في نافذة السجل) أولاً. لم يُطبع شيء.</numerusform>
            <numerusform>شيك واحد من ⁨%1⁩ للطباعة، ولم يبقَ في دفاتر شيكاته إلا ⁨%2⁩ ورقة: أضف دفتر الشيكات التالي (أرقام الشيكات في نافذة السجل) أولاً. لم يُطبع شيء.</numerusform>
            <numerusform>شيكان من ⁨%1⁩ للطباعة، ولم يبقَ في دفاتر شيكاته إلا ⁨%2⁩ ورقة: أضف دفتر الشيكات التالي (أرقام الشيكات في نافذة السجل) أولاً. لم يُطبع شيء.</numerusform>
            <numerusform>%Ln شيكات من ⁨%1⁩ للطباعة، ولم يبقَ في دفاتر شيكاته إلا ⁨%2⁩ ورقة: أضف دفتر الشيكات التالي (أرقام الشيكات في نافذة السجل) أولاً. لم يُطبع شيء.</numerusform>
            <numerusform>%Ln شيكاً من ⁨%1⁩ للطباعة، ولم يبقَ في دفاتر شيكاته إلا ⁨%2⁩ ورقة: أضف دفتر الشيكات التالي (أرقام الشيكات في نافذة السجل) أولاً. لم يُطبع شيء.</numerusform>
            <numerusform>%Ln شيك من ⁨%1⁩ للطباعة، ولم يبقَ في دفاتر شيكاته إلا ⁨%2⁩ ورقة: أضف دفتر الشيكات التالي (أرقام الشيكات في نافذة السجل) أولاً. لم يُطبع شيء.</numerusform>
        </translation>
    </message>
    <message>
        <source>A cheque of %1 to &quot;%2&quot; for %3 %4 was recorded on %5 (%6).

Print this cheque as well?</source>
        <translation>سُجّل شيك من ⁨%1⁩ إلى «⁨%2⁩» بمبلغ ⁨%3⁩ ⁨%4⁩ في ⁨%5⁩ (⁨%6⁩).

هل تطبع هذا الشيك أيضاً؟</translation>
    </message>
    <message>
        <source>Row %1 (%2, %3) is like a cheque of %4 recorded on %5 (%6).</source>
        <translation>الصف ⁨%1⁩ (⁨%2⁩، ⁨%3⁩) يشبه شيكاً من ⁨%4⁩ سُجّل في ⁨%5⁩ (⁨%6⁩).</translation>
    </message>
    <message>
        <source>%1, recorded on %2</source>
        <translation>%1، سُجِّل في ⁨%2⁩</translation>
    </message>
    <message>
        <source>%1 of the list&apos;s cheques are like cheques printed in the last 30 days:

%2

Print them all the same? No prints the other rows only.</source>
        <translation>من شيكات القائمة ⁨%1⁩ تشبه شيكات طُبعت في الأيام الثلاثين الأخيرة:

%2

أتطبعها على أي حال؟ «لا» يطبع الصفوف الأخرى فقط.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln leaves are left in the cheque book of %1: add the next one (Cheque Numbers in the register window).</source>
        <translation>
            <numerusform>لم تبقَ أوراق في دفتر شيكات ⁨%1⁩: أضف الدفتر التالي (أرقام الشيكات في نافذة السجل).</numerusform>
            <numerusform>بقيت ورقة واحدة في دفتر شيكات ⁨%1⁩: أضف الدفتر التالي (أرقام الشيكات في نافذة السجل).</numerusform>
            <numerusform>بقيت ورقتان في دفتر شيكات ⁨%1⁩: أضف الدفتر التالي (أرقام الشيكات في نافذة السجل).</numerusform>
            <numerusform>بقيت %Ln أوراق في دفتر شيكات ⁨%1⁩: أضف الدفتر التالي (أرقام الشيكات في نافذة السجل).</numerusform>
            <numerusform>بقيت %Ln ورقة في دفتر شيكات ⁨%1⁩: أضف الدفتر التالي (أرقام الشيكات في نافذة السجل).</numerusform>
            <numerusform>بقيت %Ln ورقة في دفتر شيكات ⁨%1⁩: أضف الدفتر التالي (أرقام الشيكات في نافذة السجل).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ChequeHistory</name>
    <message>
        <source>Event %1 (cheque %2, %3, %4): %5</source>
        <translation>الحدث ⁨%1⁩ (الشيك ⁨%2⁩، ⁨%3⁩، ⁨%4⁩): ⁨%5⁩</translation>
    </message>
    <message>
        <source>the history is not whole: event %1 comes where event %2 should</source>
        <translation>السجل ناقص: جاء الحدث ⁨%1⁩ حيث ينبغي أن يكون الحدث ⁨%2⁩</translation>
    </message>
    <message>
        <source>its link to the event before it is broken</source>
        <translation>انقطعت صلته بالحدث الذي قبله</translation>
    </message>
    <message>
        <source>it was changed after it was written</source>
        <translation>غُيّر بعد كتابته</translation>
    </message>
</context>
<context>
    <name>ChequeIssuer</name>
    <message>
        <source>. The cheque was not printed.</source>
        <translation>. لم يُطبع الشيك.</translation>
    </message>
    <message>
        <source>the print was stopped before the file was complete</source>
        <translation>توقفت الطباعة قبل أن يكتمل الملف</translation>
    </message>
    <message>
        <source>The print has ended.</source>
        <translation>انتهت الطباعة.</translation>
    </message>
    <message>
        <source>The cheque is in %1, not in the program&apos;s currency (%2): set that currency in the Money window to print it.</source>
        <translation>الشيك بعملة ⁨%1⁩ لا بعملة البرنامج (⁨%2⁩): اضبط تلك العملة في نافذة العملة لطباعته.</translation>
    </message>
    <message>
        <source>The file was not written: its cheque was not printed.</source>
        <translation>لم يُكتب الملف: لم يُطبع شيكه.</translation>
    </message>
    <message numerus="yes">
        <source>The file was not written: none of its %n cheques was printed.</source>
        <translation>
            <numerusform>لم يُكتب الملف: لم يُطبع أي من شيكاته.</numerusform>
            <numerusform>لم يُكتب الملف: لم يُطبع شيكه الوحيد.</numerusform>
            <numerusform>لم يُكتب الملف: لم يُطبع أي من شيكيه.</numerusform>
            <numerusform>لم يُكتب الملف: لم يُطبع أي من شيكاته الـ%n.</numerusform>
            <numerusform>لم يُكتب الملف: لم يُطبع أي من شيكاته الـ%n.</numerusform>
            <numerusform>لم يُكتب الملف: لم يُطبع أي من شيكاته الـ%n.</numerusform>
        </translation>
    </message>
    <message>
        <source>The register could not be told: it shows those of them it holds as sent, and the next print marks them failed.</source>
        <translation>تعذّر إبلاغ السجل: يُظهر ما لديه منها مُرسَلاً، والطباعة القادمة تجعلها فاشلة.</translation>
    </message>
    <message>
        <source>The register shows them as failed.</source>
        <translation>يُظهرها السجل فاشلة.</translation>
    </message>
    <message>
        <source>The register holds none of them: their records could not be written.</source>
        <translation>ليس في السجل شيء منها: تعذّرت كتابة قيودها.</translation>
    </message>
    <message>
        <source>The register shows one of them as failed; the others&apos; records could not be written.</source>
        <translation>يُظهر السجل واحداً منها فاشلاً؛ وتعذّرت كتابة قيود الباقي.</translation>
    </message>
    <message numerus="yes">
        <source>The register shows %n of them as failed; the others&apos; records could not be written.</source>
        <translation>
            <numerusform>لا يُظهر السجل شيئاً منها فاشلاً؛ وتعذّرت كتابة قيود الباقي.</numerusform>
            <numerusform>يُظهر السجل واحداً منها فاشلاً؛ وتعذّرت كتابة قيود الباقي.</numerusform>
            <numerusform>يُظهر السجل اثنين منها فاشلين؛ وتعذّرت كتابة قيود الباقي.</numerusform>
            <numerusform>يُظهر السجل %n منها فاشلة؛ وتعذّرت كتابة قيود الباقي.</numerusform>
            <numerusform>يُظهر السجل %n منها فاشلاً؛ وتعذّرت كتابة قيود الباقي.</numerusform>
            <numerusform>يُظهر السجل %n منها فاشلة؛ وتعذّرت كتابة قيود الباقي.</numerusform>
        </translation>
    </message>
    <message>
        <source>The cheque&apos;s amount cannot be printed as it was recorded.</source>
        <translation>لا يمكن طباعة مبلغ الشيك كما سُجّل.</translation>
    </message>
</context>
<context>
    <name>ChequeList</name>
    <message>
        <source>The list names the column %1 twice (columns %2 and %3).</source>
        <translation>تذكر القائمة العمود ⁨%1⁩ مرتين (العمودان ⁨%2⁩ و⁨%3⁩).</translation>
    </message>
    <message>
        <source>The first row of the list must name its columns; it has no %1. The columns are Date, Payee, Amount and, if wanted, Bank, Account Only and Memo, in English or Arabic, in any order.</source>
        <translation>يجب أن يسمّي الصف الأول من القائمة أعمدتها؛ وليس فيه ⁨%1⁩. الأعمدة هي التاريخ والمستفيد والمبلغ، وإن شئت البنك وللمستفيد الأول وملاحظة، بالعربية أو الإنجليزية وبأي ترتيب.</translation>
    </message>
    <message>
        <source>there is no bank &quot;%1&quot; in the bank list</source>
        <translation>لا يوجد بنك «⁨%1⁩» في قائمة البنوك</translation>
    </message>
    <message>
        <source>the bank &quot;%1&quot; has no layout yet; set it in Setup</source>
        <translation>ليس للبنك «⁨%1⁩» تصميم بعد؛ اضبطه في «تصميم الشيك»</translation>
    </message>
    <message>
        <source>the layout of the bank &quot;%1&quot; cannot be read (%2); check it in Setup</source>
        <translation>تعذّرت قراءة تصميم البنك «⁨%1⁩» (⁨%2⁩)؛ راجعه في «تصميم الشيك»</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>إنه فارغ</translation>
    </message>
    <message>
        <source>it holds %1, which a cheque cannot carry</source>
        <translation>فيه ⁨%1⁩، ولا يمكن أن يحمله شيك</translation>
    </message>
    <message>
        <source>Row %1, %2: %3</source>
        <translation>الصف ⁨%1⁩، ⁨%2⁩: ⁨%3⁩</translation>
    </message>
    <message>
        <source>there is no date</source>
        <translation>لا يوجد تاريخ</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither yes nor no</source>
        <translation>«⁨%1⁩» ليست نعم ولا لا</translation>
    </message>
    <message>
        <source>there is no bank</source>
        <translation>لا يوجد بنك</translation>
    </message>
    <message>
        <source>it is a formula the workbook has never calculated; open the workbook in a spreadsheet program and save it</source>
        <translation>إنه صيغة لم يحسبها المصنف قط؛ افتح المصنف في برنامج جداول بيانات واحفظه</translation>
    </message>
    <message>
        <source>there is no amount</source>
        <translation>لا يوجد مبلغ</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an amount</source>
        <translation>«⁨%1⁩» ليس مبلغاً</translation>
    </message>
    <message>
        <source>%1 is not more than 0</source>
        <translation>«⁨%1⁩» ليس أكبر من 0</translation>
    </message>
    <message>
        <source>Cannot read the list &quot;%1&quot;: %2</source>
        <translation>تعذّرت قراءة القائمة «⁨%1⁩»: ⁨%2⁩</translation>
    </message>
    <message>
        <source>it is not an Excel workbook (.xlsx), or it is damaged</source>
        <translation>ليس مصنف Excel (.xlsx)، أو أنه تالف</translation>
    </message>
    <message>
        <source>its part %1 is missing</source>
        <translation>الجزء ⁨%1⁩ منه مفقود</translation>
    </message>
    <message>
        <source>its part %1 cannot be unpacked</source>
        <translation>لا يمكن فك ضغط الجزء ⁨%1⁩ منه</translation>
    </message>
    <message>
        <source>its part %1 is damaged</source>
        <translation>الجزء ⁨%1⁩ منه تالف</translation>
    </message>
    <message>
        <source>its part %1 is damaged (%2)</source>
        <translation>الجزء ⁨%1⁩ منه تالف (⁨%2⁩)</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>نفدت الذاكرة</translation>
    </message>
    <message>
        <source>line %1 is not valid CSV at character %2: a quote inside a field that does not start with one, or text after a closing quote</source>
        <translation>السطر ⁨%1⁩ ليس CSV صحيحاً عند الحرف ⁨%2⁩: علامة اقتباس داخل حقل لا يبدأ بها، أو نص بعد علامة اقتباس الإغلاق</translation>
    </message>
    <message>
        <source>the quoted field that begins on line %1 is never closed</source>
        <translation>الحقل المقتبس الذي يبدأ في السطر ⁨%1⁩ لا يُغلق أبداً</translation>
    </message>
    <message>
        <source>it has no sheet</source>
        <translation>ليس فيه ورقة</translation>
    </message>
    <message>
        <source>its first sheet is missing</source>
        <translation>ورقته الأولى مفقودة</translation>
    </message>
    <message>
        <source>the cell %1 of its first sheet is damaged</source>
        <translation>الخلية ⁨%1⁩ من ورقته الأولى تالفة</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>غير موجود</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ليس ملفاً عادياً</translation>
    </message>
    <message>
        <source>it is far too large for a list of cheques</source>
        <translation>إنه أكبر بكثير من أن يكون قائمة شيكات</translation>
    </message>
    <message>
        <source>it is an old Excel workbook (.xls); save it as .xlsx or CSV</source>
        <translation>إنه مصنف Excel قديم (.xls)؛ احفظه بصيغة .xlsx أو CSV</translation>
    </message>
    <message>
        <source>it has %1 characters, and a cheque carries at most %2</source>
        <translation>فيه ⁨%1⁩ حرفاً، ولا يحمل الشيك أكثر من ⁨%2⁩</translation>
    </message>
    <message>
        <source>line %1 holds a byte (0x%2) that is not UTF-8, while other lines are UTF-8: the file mixes two encodings, and its letters cannot be read with certainty. Save it again in one encoding (UTF-8) from the program that made it.</source>
        <translation>في السطر ⁨%1⁩ بايت (0x⁨%2⁩) ليس من ترميز UTF-8، بينما الأسطر الأخرى بترميز UTF-8: يخلط الملف ترميزين، ولا يمكن قراءة حروفه بيقين. احفظه مرة أخرى بترميز واحد (UTF-8) من البرنامج الذي أنشأه.</translation>
    </message>
    <message>
        <source>it is empty: its first row must name its columns (Date, Payee, Amount)</source>
        <translation>إنها فارغة: يجب أن يسمّي صفها الأول أعمدتها (التاريخ، المستفيد، المبلغ)</translation>
    </message>
    <message>
        <source>it holds no cheques: it has only its first row, which names the columns</source>
        <translation>لا شيكات فيها: ليس فيها إلا صفها الأول الذي يسمّي الأعمدة</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 characters, far beyond a row of a list of cheques</source>
        <translation>السطر ⁨%1⁩ أطول من ⁨%2⁩ حرف، أطول بكثير من صف في قائمة شيكات</translation>
    </message>
    <message>
        <source>its shared texts are far more than a list of cheques holds</source>
        <translation>نصوصه المشتركة أكثر بكثير مما تحمله قائمة شيكات</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>المستفيد</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>البنك</translation>
    </message>
    <message>
        <source>Account Only</source>
        <translation>للمستفيد الأول</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>ملاحظة</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date; %2</source>
        <translation>«⁨%1⁩» ليس تاريخاً؛ ⁨%2⁩</translation>
    </message>
    <message>
        <source>&quot;%1&quot; can be read as %2 or as %3: write it as %3 or as %4</source>
        <translation>⁨&quot;%1&quot;⁩ يُقرأ ⁨%2⁩ أو ⁨%3⁩: اكتبه ⁨%3⁩ أو ⁨%4⁩</translation>
    </message>
    <message>
        <source>is far too large for a list of cheques</source>
        <translation>أكبر بكثير من أن يكون قائمة شيكات</translation>
    </message>
    <message>
        <source>holds more than %1 bytes between two tags, far more than any cell</source>
        <translation>فيه أكثر من ⁨%1⁩ بايت بين وسمين، أكثر بكثير مما تحمله أي خلية</translation>
    </message>
    <message>
        <source>its part %1 %2</source>
        <translation>جزؤه ⁨%1⁩ %2</translation>
    </message>
    <message>
        <source>it is UTF-16 text, and damaged: it ends half-way through a character</source>
        <translation>إنه نص بترميز UTF-16، وهو تالف: ينتهي في منتصف محرف</translation>
    </message>
    <message>
        <source>it holds zero bytes all through: it is UTF-16 text without the mark that tells it, or not text at all. Save it as CSV in UTF-8</source>
        <translation>فيه بايتات صفرية في كل موضع منه: إنه نص بترميز UTF-16 بلا العلامة التي تدل عليه، أو ليس نصاً أصلاً. احفظه بصيغة CSV بترميز UTF-8</translation>
    </message>
</context>
<context>
    <name>ChequePage</name>
    <message>
        <source>The date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>The payee</source>
        <translation>اسم المستفيد</translation>
    </message>
    <message>
        <source>The amount in figures</source>
        <translation>المبلغ بالأرقام</translation>
    </message>
    <message>
        <source>The amount in words</source>
        <translation>المبلغ بالحروف</translation>
    </message>
    <message>
        <source>&quot;Account Only&quot;</source>
        <translation>«للمستفيد الأول»</translation>
    </message>
    <message>
        <source>%1 (field %2) has a box with no room in it. Make the box larger in Setup.</source>
        <translation>%1 (الحقل ⁨%2⁩) في مربع لا متسع فيه. كبّر المربع في «تصميم الشيك».</translation>
    </message>
    <message>
        <source>%1 (field %2) does not fit its box: it takes %3 lines, and the box holds %4. Make the box larger in Setup, or its font smaller.</source>
        <translation>%1 (الحقل ⁨%2⁩) لا يتسع له مربعه: يحتاج إلى ⁨%3⁩ أسطر، ويتسع المربع لـ⁨%4⁩. كبّر المربع في «تصميم الشيك»، أو صغّر خطه.</translation>
    </message>
    <message>
        <source>%1 (field %2) does not fit its box: a word of it is wider than the box. Make the box wider in Setup, or its font smaller.</source>
        <translation>%1 (الحقل ⁨%2⁩) لا يتسع له مربعه: فيه كلمة أعرض من المربع. وسّع المربع في «تصميم الشيك»، أو صغّر خطه.</translation>
    </message>
    <message>
        <source>%1 (field %2) and %3 (field %4) have boxes that overlap: the one printed later would cover the other&apos;s text. Move them apart in Setup.</source>
        <translation>%1 (الحقل ⁨%2⁩) و%3 (الحقل ⁨%4⁩) يتداخل مربعاهما: ما يُطبع منهما آخراً يغطي نص الآخر. باعد بينهما في «تصميم الشيك».</translation>
    </message>
    <message>
        <source>%1 (field %2) has a font of %3 points; a field takes at most %4. Choose a smaller font for it in Setup.</source>
        <translation>%1 (الحقل ⁨%2⁩) خطه بحجم ⁨%3⁩ نقطة؛ وأكبر خط يأخذه الحقل ⁨%4⁩. اختر له خطاً أصغر في «تصميم الشيك».</translation>
    </message>
    <message>
        <source>%1 (field %2) runs off the paper. Move its box onto the cheque in Setup, or make it smaller.</source>
        <translation>%1 (الحقل ⁨%2⁩) يخرج عن الورقة. انقل مربعه إلى داخل الشيك في «تصميم الشيك»، أو صغّره.</translation>
    </message>
    <message>
        <source>%1 (field %2) holds %3, which no font on this computer can draw: it would be printed blank. Install a font that has it (for Arabic, fonts-dejavu-core), or choose another font for the field in Setup.</source>
        <translation>في ⁨%1⁩ (الحقل ⁨%2⁩) الحرف ⁨%3⁩، ولا يستطيع أي خط على هذا الحاسوب رسمه: سيُطبع فارغاً. ثبّت خطاً فيه هذا الحرف (للعربية: fonts-dejavu-core)، أو اختر خطاً آخر للحقل في «تصميم الشيك».</translation>
    </message>
</context>
<context>
    <name>ChequeRegister</name>
    <message>
        <source>the register &quot;%1&quot; on the server %2 (user %3)</source>
        <translation>السجل «⁨%1⁩» على الخادم ⁨%2⁩ (المستخدم ⁨%3⁩)</translation>
    </message>
    <message>
        <source>the register file &quot;%1&quot;</source>
        <translation>ملف السجل «⁨%1⁩»</translation>
    </message>
    <message>
        <source>the %1 database driver is not installed</source>
        <translation>مشغّل قاعدة البيانات ⁨%1⁩ غير مثبّت</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ليس ملفاً عادياً</translation>
    </message>
    <message>
        <source>its folder does not exist</source>
        <translation>مجلده غير موجود</translation>
    </message>
    <message>
        <source>it is not a database, or it is damaged (%1)</source>
        <translation>ليس قاعدة بيانات، أو أنه تالف (⁨%1⁩)</translation>
    </message>
    <message>
        <source>it is a database of another program (it has no cheque register); it is left as it is</source>
        <translation>إنه قاعدة بيانات لبرنامج آخر (ليس فيه سجل شيكات)؛ وقد تُرك على حاله</translation>
    </message>
    <message>
        <source>it is damaged or of another program: it has no schema version</source>
        <translation>إنه تالف أو لبرنامج آخر: ليس فيه رقم إصدار للمخطط</translation>
    </message>
    <message>
        <source>it was made by a newer version of this program (schema %1; this version knows schema %2); it is left untouched</source>
        <translation>أنشأه إصدار أحدث من هذا البرنامج (المخطط ⁨%1⁩؛ وهذا الإصدار يعرف المخطط ⁨%2⁩)؛ وقد تُرك دون مساس</translation>
    </message>
    <message>
        <source>its writes cannot be made durable</source>
        <translation>لا يمكن ضمان ثبات الكتابة فيه</translation>
    </message>
    <message>
        <source>the cheque number %1 of the bank &quot;%2&quot; is already in the register; set the bank&apos;s next cheque number (Cheque Numbers in the register window)</source>
        <translation>رقم الشيك ⁨%1⁩ للبنك «⁨%2⁩» موجود في السجل؛ اضبط رقم الشيك التالي للبنك (أرقام الشيكات في نافذة السجل)</translation>
    </message>
    <message>
        <source>there is no cheque %1</source>
        <translation>لا يوجد شيك رقم ⁨%1⁩</translation>
    </message>
    <message>
        <source>the reason must be given</source>
        <translation>يجب ذكر السبب</translation>
    </message>
    <message>
        <source>the file or its folder cannot be written (a register keeps its journal beside it); choose a folder that can be written</source>
        <translation>لا يمكن الكتابة في الملف أو في مجلده (يحفظ السجل دفتر يومياته بجانبه)؛ اختر مجلداً تمكن الكتابة فيه</translation>
    </message>
    <message>
        <source>the server did not answer for %1 seconds</source>
        <translation>لم يجب الخادم خلال ⁨%1⁩ ثوانٍ</translation>
    </message>
    <message>
        <source>the connection to the server was lost</source>
        <translation>انقطع الاتصال بالخادم</translation>
    </message>
    <message>
        <source>its schema version &quot;%1&quot; is none this program ever wrote: it is damaged or of another program, and is left as it is</source>
        <translation>رقم إصدار مخططه «⁨%1⁩» ليس مما كتبه هذا البرنامج قط: إنه تالف أو لبرنامج آخر، وقد تُرك على حاله</translation>
    </message>
    <message>
        <source>Cannot use %1: %2</source>
        <translation>لا يمكن استخدام ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>لا يمكن فتح ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>لا يمكن إنشاء ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation>لا يمكن الكتابة في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot upgrade %1: %2</source>
        <translation>لا يمكن ترقية ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>The cheque could not be recorded in %1: %2</source>
        <translation>تعذّر تسجيل الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot void the cheque in %1: %2</source>
        <translation>لا يمكن إلغاء الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot mark the cheque spoilt in %1: %2</source>
        <translation>لا يمكن اعتبار الشيك تالفاً في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot mark the cheque failed in %1: %2</source>
        <translation>لا يمكن اعتبار الشيك فاشلاً في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot mark the cheque printed in %1: %2</source>
        <translation>لا يمكن اعتبار الشيك مطبوعاً في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>The cheques could not be recorded in %1: %2</source>
        <translation>تعذّر تسجيل الشيكات في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>لا يمكن قراءة ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>the certificate authority&apos;s file &quot;%1&quot; to verify the server by does not exist</source>
        <translation>ملف جهة الشهادات «⁨%1⁩» الذي يُتحقق به من الخادم غير موجود</translation>
    </message>
    <message>
        <source>the certificate authority&apos;s file name &quot;%1&quot; holds a &quot;;&quot;, which a connection cannot carry</source>
        <translation>اسم ملف جهة الشهادات «⁨%1⁩» فيه «;» ولا يمكن أن يحمله الاتصال</translation>
    </message>
    <message>
        <source>a connection without encryption is allowed only through this computer&apos;s own socket; choose encrypted in Register Connection</source>
        <translation>لا يُسمح بالاتصال دون تشفير إلا عبر مقبس هذا الحاسوب نفسه؛ اختر الاتصال المشفّر في «اتصال السجل»</translation>
    </message>
    <message>
        <source>the server %1 showed a certificate that the certificate authority of &quot;%2&quot; did not sign: it may not be your office&apos;s server. Nothing is printed without the register</source>
        <translation>قدّم الخادم ⁨%1⁩ شهادة لم توقّعها جهة الشهادات في «⁨%2⁩»: قد لا يكون خادم مكتبك. لا يُطبع شيء دون السجل</translation>
    </message>
    <message>
        <source>the server&apos;s certificate is not for the name %1: connect by the name its certificate gives</source>
        <translation>شهادة الخادم ليست للاسم ⁨%1⁩: اتصل بالاسم الذي تذكره شهادته</translation>
    </message>
    <message>
        <source>the server %1 does not offer an encrypted connection: its administrator has to turn TLS on (ssl = on)</source>
        <translation>الخادم ⁨%1⁩ لا يتيح اتصالاً مشفّراً: على مديره تشغيل TLS ‏(ssl = on)</translation>
    </message>
    <message>
        <source>Cannot set up %1: %2</source>
        <translation>لا يمكن إعداد ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>people and roles are for a register on a server</source>
        <translation>الأشخاص والأدوار لسجل على خادم</translation>
    </message>
    <message>
        <source>approvals are for a register on a server</source>
        <translation>الموافقات لسجل على خادم</translation>
    </message>
    <message>
        <source>Cannot approve the cheque in %1: %2</source>
        <translation>تعذّرت الموافقة على الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot reject the cheque in %1: %2</source>
        <translation>تعذّر رفض الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot set the approval in %1: %2</source>
        <translation>تعذّر ضبط الموافقة في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>it was made by an older version of the program; its owner (the database&apos;s login that made it) opens it once with this version to bring it up to date</source>
        <translation>أنشأه إصدار أقدم من البرنامج؛ يفتحه مالكه (مستخدم قاعدة البيانات الذي أنشأه) مرة واحدة بهذا الإصدار لتحديثه</translation>
    </message>
    <message>
        <source>Cannot mark the cheque delivered in %1: %2</source>
        <translation>تعذّر تسجيل تسليم الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot mark the cheque cleared in %1: %2</source>
        <translation>تعذّر تسجيل صرف الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot mark the cheque returned in %1: %2</source>
        <translation>تعذّر تسجيل ارتجاع الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot mark the cheque stopped in %1: %2</source>
        <translation>تعذّر تسجيل إيقاف صرف الشيك في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>the bank&apos;s date must be given</source>
        <translation>يجب ذكر تاريخ البنك</translation>
    </message>
    <message>
        <source>the cheque is %1</source>
        <translation>الشيك ⁨%1⁩</translation>
    </message>
    <message>
        <source>its number %1 is in none of the cheque books of &quot;%2&quot;; add the bank&apos;s next cheque book (Cheque Numbers in the register window)</source>
        <translation>رقمه ⁨%1⁩ ليس في أي دفتر شيكات لـ«⁨%2⁩»؛ أضف دفتر الشيكات التالي للبنك (أرقام الشيكات في نافذة السجل)</translation>
    </message>
    <message>
        <source>Cannot add the cheque book in %1: %2</source>
        <translation>تعذّرت إضافة دفتر الشيكات في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>its leaves run from a number from 1 to one as high or higher</source>
        <translation>أوراقه تبدأ من رقم لا يقل عن 1 وتنتهي برقم مساوٍ له أو أكبر</translation>
    </message>
    <message>
        <source>its leaves meet those of the book %1–%2</source>
        <translation>أوراقه تتداخل مع أوراق الدفتر ⁨%1⁩–⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot set the next cheque number in %1: %2</source>
        <translation>تعذّر ضبط رقم الشيك التالي في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>cheque No. %1 of &quot;%2&quot; is in the register already</source>
        <translation>الشيك رقم ⁨%1⁩ من «⁨%2⁩» في السجل من قبل</translation>
    </message>
    <message>
        <source>%1 is in none of the cheque books of &quot;%2&quot;</source>
        <translation>الرقم ⁨%1⁩ ليس في أي دفتر شيكات لـ«⁨%2⁩»</translation>
    </message>
    <message>
        <source>it cannot be written (it is read-only); make it writable, or choose another register</source>
        <translation>لا يمكن الكتابة فيه (إنه للقراءة فقط)؛ اجعله قابلاً للكتابة، أو اختر سجلاً آخر</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; beside it cannot be written (a program that stopped left it so); make it writable, or delete it while no program has the register open</source>
        <translation>الملف ⁨&quot;%1&quot;⁩ الذي بجانبه لا يمكن الكتابة فيه (تركه كذلك برنامج توقف)؛ اجعله قابلاً للكتابة، أو احذفه حين لا يكون السجل مفتوحاً في أي برنامج</translation>
    </message>
    <message>
        <source>%1; nothing is written to it. Keep it for its cheques, and choose another register</source>
        <translation>%1؛ لا يُكتب فيه شيء. احتفظ به لما فيه من شيكات، واختر سجلاً آخر</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is being written by another print: wait for it to end, or choose another name</source>
        <translation>الملف ⁨&quot;%1&quot;⁩ تكتبه طباعة أخرى: انتظر حتى تنتهي، أو اختر اسماً آخر</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; does not hold them: it was replaced or removed before the program that wrote it marked them</source>
        <translation>الملف ⁨&quot;%1&quot;⁩ لا يحتويها: استُبدل أو حُذف قبل أن يعلّمها البرنامج الذي كتبه</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; never took its place: the program stopped while writing it</source>
        <translation>الملف ⁨&quot;%1&quot;⁩ لم يأخذ مكانه قط: توقف البرنامج وهو يكتبه</translation>
    </message>
    <message>
        <source>it could not be checked (%1)</source>
        <translation>تعذّر فحصه (⁨%1⁩)</translation>
    </message>
    <message>
        <source>it is damaged (%1)</source>
        <translation>إنه تالف (⁨%1⁩)</translation>
    </message>
    <message>
        <source>it could not be checked: it is not a file that can be written</source>
        <translation>تعذّر فحصه: ليس ملفاً يمكن الكتابة فيه</translation>
    </message>
    <message>
        <source>the login %1 may not read it: the register&apos;s owner gives each person a login in one of the office&apos;s roles</source>
        <translation>لا يحق لاسم الدخول ⁨%1⁩ قراءته: يعطي مالك سجل الشيكات كل شخص اسم دخول في أحد أدوار المكتب</translation>
    </message>
    <message>
        <source>the login %1 may not make roles; give it the right to (sudo -u postgres psql -c &quot;ALTER ROLE %1 CREATEROLE&quot;), or make it with createuser --createrole</source>
        <translation>لا يحق لاسم الدخول ⁨%1⁩ إنشاء الأدوار؛ امنحه هذا الحق (⁦sudo -u postgres psql -c &quot;ALTER ROLE %1 CREATEROLE&quot;⁩)، أو أنشئه بالأمر ⁦createuser --createrole⁩</translation>
    </message>
    <message>
        <source>the register was held for more than %1 seconds by %2; ask them to finish what they are doing, or to close their program</source>
        <translation>شغل ⁨%2⁩ سجل الشيكات أكثر من ⁨%1⁩ ثانية؛ اطلب منهم إنهاء ما يفعلونه أو إغلاق برنامجهم</translation>
    </message>
    <message>
        <source>Cannot add the account in %1: %2</source>
        <translation>تعذّرت إضافة الحساب في ⁨%1⁩: ⁨%2⁩</translation>
    </message>
    <message>
        <source>its history no longer holds the event %1 with the hash %2 that this computer saw on %3: it was shortened or written anew since. Nothing is written to it: tell the office&apos;s administrator. Should the change be the office&apos;s own (the register restored from its backup), the administrator removes what this computer saw from &quot;%4&quot;.</source>
        <translation>لم يعد سجل أحداثه يحوي الحدث ⁨%1⁩ ذا البصمة ⁨%2⁩ الذي رآه هذا الحاسوب في ⁨%3⁩: قُصّر أو كُتب من جديد منذ ذلك الحين. لن يُكتب فيه شيء: أبلغ مسؤول المكتب. وإن كان التغيير من المكتب نفسه (استُعيد السجل من نسخته الاحتياطية)، يحذف المسؤول ما رآه هذا الحاسوب من «⁨%4⁩».</translation>
    </message>
    <message>
        <source>Cheque %1 (%2 No. %3, %4)</source>
        <translation>الشيك ⁨%1⁩ (⁨%2⁩ رقم ⁨%3⁩، ⁨%4⁩)</translation>
    </message>
    <message>
        <source> has no event in the history: it was written behind the register&apos;s back</source>
        <translation> ليس له حدث في سجل الأحداث: كُتب دون علم سجل الشيكات</translation>
    </message>
    <message>
        <source> is not as its history holds it: it was changed behind the register&apos;s back</source>
        <translation> ليس كما يحفظه سجل أحداثه: غُيّر دون علم سجل الشيكات</translation>
    </message>
    <message>
        <source>the bank cannot have paid it on %1: it was printed on %2</source>
        <translation>لا يمكن أن يكون البنك قد صرفه في ⁨%1⁩: فقد طُبع في ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cannot correct the cheque in %1: %2</source>
        <translation>تعذّر تصحيح الشيك في ⁨%1⁩: %2</translation>
    </message>
    <message>
        <source>only a cheque delivered, cleared, returned or stopped is set back to printed</source>
        <translation>لا يُعاد إلى «مطبوع» إلا شيك مُسلَّم أو مصروف أو مرتجع أو موقوف</translation>
    </message>
</context>
<context>
    <name>ChequeScan</name>
    <message>
        <source>The scan could not be copied to &quot;%1&quot;.</source>
        <translation>تعذّر نسخ الصورة الممسوحة إلى «⁨%1⁩».</translation>
    </message>
</context>
<context>
    <name>DataFile</name>
    <message>
        <source>Cannot read the file &quot;%1&quot;: %2</source>
        <translation>تعذّرت قراءة الملف «⁨%1⁩»: ⁨%2⁩</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>لا يوجد ملف أو مجلد بهذا الاسم</translation>
    </message>
    <message>
        <source>it is not a regular file (it is a folder, a FIFO or a device)</source>
        <translation>ليس ملفاً عادياً (إنه مجلد أو أنبوب أو جهاز)</translation>
    </message>
    <message>
        <source>at %1 MB it is far larger than any file of this program can be</source>
        <translation>حجمه ⁨%1⁩ ميغابايت، وهو أكبر بكثير مما يمكن أن يكون عليه أي ملف لهذا البرنامج</translation>
    </message>
    <message>
        <source>it is far larger than any file of this program can be</source>
        <translation>إنه أكبر بكثير مما يمكن أن يكون عليه أي ملف لهذا البرنامج</translation>
    </message>
    <message>
        <source>the Windows-1256 code page is not available</source>
        <translation>صفحة الترميز Windows-1256 غير متاحة</translation>
    </message>
    <message>
        <source>«%1» (%2)</source>
        <translation>«⁨%1⁩» (⁨%2⁩)</translation>
    </message>
    <message>
        <source>Cannot write the file &quot;%1&quot;: line %2 holds a line break.</source>
        <translation>تعذّرت كتابة الملف «⁨%1⁩»: في السطر ⁨%2⁩ فاصل أسطر.</translation>
    </message>
    <message>
        <source>Cannot write the file &quot;%1&quot;: the Windows-1256 code page is not available</source>
        <translation>تعذّرت كتابة الملف «⁨%1⁩»: صفحة الترميز Windows-1256 غير متاحة</translation>
    </message>
    <message>
        <source>Cannot write the file &quot;%1&quot;: the character %2 on line %3 cannot be stored in the Windows-1256 code page.</source>
        <translation>تعذّرت كتابة الملف «⁨%1⁩»: لا يمكن حفظ الحرف ⁨%2⁩ في السطر ⁨%3⁩ بصفحة الترميز Windows-1256.</translation>
    </message>
    <message>
        <source>Cannot write the file &quot;%1&quot;: %2</source>
        <translation>تعذّرت كتابة الملف «⁨%1⁩»: ⁨%2⁩</translation>
    </message>
    <message>
        <source>it is a link to &quot;%1&quot;, which does not exist</source>
        <translation>إنه رابط إلى «⁨%1⁩» غير الموجود</translation>
    </message>
    <message>
        <source>The data folder &quot;%1&quot; cannot be created.</source>
        <translation>لا يمكن إنشاء مجلد البيانات «⁨%1⁩».</translation>
    </message>
    <message>
        <source>at %1 KB it is far larger than settings are</source>
        <translation>حجمه ⁨%1⁩ كيلوبايت، وهذا أكبر بكثير من حجم الإعدادات</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; is not used: %2. The program keeps to its defaults (the register file beside the data files, no printer offsets) and does not write it.</source>
        <translation>لا يُستعمل ملف الإعدادات «⁨%1⁩»: ⁨%2⁩. يعمل البرنامج بإعداداته الافتراضية (ملف السجل بجانب ملفات البيانات، دون إزاحات للطابعات) ولا يكتب فيه.</translation>
    </message>
    <message>
        <source>its part was removed or replaced</source>
        <translation>حُذف الجزء المكتوب منه أو استُبدل</translation>
    </message>
</context>
<context>
    <name>DueWindow</name>
    <message>
        <source>Due Dates</source>
        <translation>تواريخ الاستحقاق</translation>
    </message>
    <message>
        <source>By Month</source>
        <translation>حسب الشهر</translation>
    </message>
    <message>
        <source>By Week</source>
        <translation>حسب الأسبوع</translation>
    </message>
    <message>
        <source>Save as PDF…</source>
        <translation>حفظ مستنداً للطباعة…</translation>
    </message>
    <message>
        <source>Save as PNG…</source>
        <translation>حفظ صورةً…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message numerus="yes">
        <source>%1: %Ln cheques, %2 %3</source>
        <translation>
            <numerusform>⁨%1⁩: لا شيكات، ⁨%2⁩ ⁨%3⁩</numerusform>
            <numerusform>⁨%1⁩: شيك واحد، ⁨%2⁩ ⁨%3⁩</numerusform>
            <numerusform>⁨%1⁩: شيكان، ⁨%2⁩ ⁨%3⁩</numerusform>
            <numerusform>⁨%1⁩: %Ln شيكات، ⁨%2⁩ ⁨%3⁩</numerusform>
            <numerusform>⁨%1⁩: %Ln شيكاً، ⁨%2⁩ ⁨%3⁩</numerusform>
            <numerusform>⁨%1⁩: %Ln شيك، ⁨%2⁩ ⁨%3⁩</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing is overdue.</source>
        <translation>لا شيء متأخر.</translation>
    </message>
    <message>
        <source>Due before today and not yet paid: %1</source>
        <translation>مستحق قبل اليوم ولم يُصرف بعد: ⁨%1⁩</translation>
    </message>
    <message>
        <source>Week from</source>
        <translation>الأسبوع من</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>الشهر</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>⁨%1⁩ (⁨%2⁩)</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%Ln)</source>
        <translation>
            <numerusform>⁨%1⁩ (0)</numerusform>
            <numerusform>⁨%1⁩ (1)</numerusform>
            <numerusform>⁨%1⁩ (2)</numerusform>
            <numerusform>⁨%1⁩ (%Ln)</numerusform>
            <numerusform>⁨%1⁩ (%Ln)</numerusform>
            <numerusform>⁨%1⁩ (%Ln)</numerusform>
        </translation>
    </message>
    <message>
        <source>Cash the outstanding cheques need each month (%1), from today, %2</source>
        <translation>النقد الذي تحتاجه الشيكات المستحقة كل شهر (⁨%1⁩)، من اليوم، ⁨%2⁩</translation>
    </message>
    <message>
        <source>Save the Due Dates</source>
        <translation>حفظ تواريخ الاستحقاق</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>ملفات PDF ⁦(*.pdf)</translation>
    </message>
    <message>
        <source>Cannot write the file &quot;%1&quot;: %2</source>
        <translation>تعذّرت كتابة الملف «⁨%1⁩»: ⁨%2⁩</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>صور PNG ⁦(*.png)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1، ⁨%2⁩</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>Folder</source>
        <translation>مجلد</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ملف</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>ملف ⁨%1⁩</translation>
    </message>
    <message>
        <source>%L1 bytes</source>
        <translation>%L1 بايت</translation>
    </message>
    <message>
        <source>%L1 KB</source>
        <translation>%L1 ك.ب</translation>
    </message>
    <message>
        <source>%L1 MB</source>
        <translation>%L1 م.ب</translation>
    </message>
</context>
<context>
    <name>Interface</name>
    <message>
        <source>left-to-right</source>
        <translation>right-to-left</translation>
    </message>
</context>
<context>
    <name>MoneyFile</name>
    <message>
        <source>line %1 (%2) holds control characters</source>
        <translation>في السطر ⁨%1⁩ (⁨%2⁩) أحرف تحكم</translation>
    </message>
    <message>
        <source>it has only %1 lines, and line 10, the number of fraction digits, is missing</source>
        <translation>فيه ⁨%1⁩ أسطر فقط، والسطر 10، عدد خانات الكسر، مفقود</translation>
    </message>
    <message>
        <source>line 10, the number of fraction digits, is not a whole number (%1)</source>
        <translation>السطر 10، عدد خانات الكسر، ليس عدداً صحيحاً (⁨%1⁩)</translation>
    </message>
    <message>
        <source>no currency name could be read, so the UAE dirham is used</source>
        <translation>تعذّرت قراءة أي اسم للعملة، فاستُخدم الدرهم الإماراتي</translation>
    </message>
    <message>
        <source>The currency file &quot;%1&quot; is damaged: %2.</source>
        <translation>ملف العملة «⁨%1⁩» تالف: ⁨%2⁩.</translation>
    </message>
    <message>
        <source>%1

The program goes on with the UAE currency. The file is left as it is until you set the currency in the Money window and press OK.</source>
        <translation>%1

يتابع البرنامج بعملة الإمارات. ويبقى الملف على حاله حتى تضبط العملة في نافذة العملة وتضغط «موافق».</translation>
    </message>
    <message>
        <source>The damaged file was kept as &quot;%1&quot;. </source>
        <translation>حُفظ الملف التالف باسم «⁨%1⁩». </translation>
    </message>
    <message>
        <source>It could not be kept as &quot;%1&quot;. </source>
        <translation>تعذّر حفظه باسم «⁨%1⁩». </translation>
    </message>
    <message>
        <source>The currency names that could be read are used, with %1 sub-unit digits; check them in this window, which stays open for that.</source>
        <translation>تُستخدم أسماء العملة التي أمكن قراءتها، بعدد ⁨%1⁩ من خانات الأجزاء؛ راجعها في هذه النافذة التي تبقى مفتوحة لذلك.</translation>
    </message>
    <message>
        <source>line %1 (%2) is %3 characters long, far longer than the window ever writes</source>
        <translation>السطر ⁨%1⁩ (⁨%2⁩) طوله ⁨%3⁩ محرفاً، أطول بكثير مما تكتبه النافذة أبداً</translation>
    </message>
</context>
<context>
    <name>PageOutput</name>
    <message>
        <source>the PDF writer failed</source>
        <translation>فشل كاتب ملفات PDF</translation>
    </message>
</context>
<context>
    <name>PrintRun</name>
    <message>
        <source>Error in Amount, it must be &gt;0</source>
        <translation>خطأ في المبلغ، يجب أن يكون أكبر من 0</translation>
    </message>
    <message>
        <source> Nothing was printed.</source>
        <translation> لم يُطبع شيء.</translation>
    </message>
    <message>
        <source>The amount %1 is too large to be written in words; the largest amount is %2.</source>
        <translation>المبلغ ⁨%1⁩ أكبر من أن يُكتب بالحروف؛ وأكبر مبلغ هو ⁨%2⁩.</translation>
    </message>
    <message>
        <source>The amount %1 has more decimals than the currency&apos;s %2; the cheque would read %3 in figures. Type the amount with at most %2 decimals.</source>
        <translation>في المبلغ ⁨%1⁩ خانات عشرية أكثر من خانات العملة وهي ⁨%2⁩؛ وسيُقرأ الشيك ⁨%3⁩ بالأرقام. اكتب المبلغ بما لا يزيد على ⁨%2⁩ من الخانات العشرية.</translation>
    </message>
    <message>
        <source>The amount %1 cannot be written in words.</source>
        <translation>لا يمكن كتابة المبلغ ⁨%1⁩ بالحروف.</translation>
    </message>
    <message>
        <source>The amount %1 would be written in words as &quot;%2&quot;, which is not %3.</source>
        <translation>سيُكتب المبلغ ⁨%1⁩ بالحروف «⁨%2⁩»، وهذا ليس ⁨%3⁩.</translation>
    </message>
    <message>
        <source>The payee has %1 characters; a cheque carries at most %2. Nothing was printed.</source>
        <translation>في اسم المستفيد ⁨%1⁩ حرفاً؛ ولا يحمل الشيك أكثر من ⁨%2⁩. لم يُطبع شيء.</translation>
    </message>
    <message>
        <source>write it as %1 (the desktop&apos;s short date) or as %2</source>
        <translation>اكتبه بالشكل ⁨%1⁩ أو بالشكل ⁨%2⁩</translation>
    </message>
    <message>
        <source>. The amount &quot;%1&quot; cannot be read: %2.</source>
        <translation>. لا يمكن قراءة المبلغ ⁨&quot;%1&quot;⁩: %2.</translation>
    </message>
    <message>
        <source>The date %1 would be printed as %2, which reads as %3: the desktop writes years with two digits, which hold the years within 50 of today.</source>
        <translation>التاريخ ⁨%1⁩ سيُطبع ⁨%2⁩، ويُقرأ ⁨%3⁩: سطح المكتب يكتب السنة برقمين، وهما يتسعان للسنوات التي لا تبعد عن اليوم أكثر من 50 سنة.</translation>
    </message>
    <message>
        <source>no date</source>
        <translation>لا تاريخ</translation>
    </message>
    <message>
        <source>there is no amount</source>
        <translation>لا مبلغ فيه</translation>
    </message>
    <message>
        <source>it has more than one decimal point</source>
        <translation>فيه أكثر من فاصلة عشرية</translation>
    </message>
    <message>
        <source>it has a grouping separator (&quot;%1&quot;); type the amount without it</source>
        <translation>فيه فاصل آلاف (⁨&quot;%1&quot;⁩)؛ اكتب المبلغ بدونه</translation>
    </message>
    <message>
        <source>it has a blank inside</source>
        <translation>فيه فراغ</translation>
    </message>
    <message>
        <source>it is written with an exponent; type the amount in digits</source>
        <translation>مكتوب بأُسّ؛ اكتب المبلغ بالأرقام</translation>
    </message>
    <message>
        <source>it holds %1, which is not part of an amount</source>
        <translation>فيه ⁨%1⁩، وليس من المبلغ</translation>
    </message>
    <message>
        <source>it has no digits</source>
        <translation>ليس فيه أرقام</translation>
    </message>
    <message>
        <source>The amount %1 cannot be printed: %2.</source>
        <translation>لا يمكن طباعة المبلغ ⁨%1⁩: %2.</translation>
    </message>
</context>
<context>
    <name>PrinterOutput</name>
    <message>
        <source>%1 could not be opened</source>
        <translation>تعذّر فتح ⁨%1⁩</translation>
    </message>
    <message>
        <source>the page does not fit %1</source>
        <translation>الصفحة لا تناسب ⁨%1⁩</translation>
    </message>
</context>
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>&amp;Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>اسم الملف:</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>حفظ</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>عدم الحفظ</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>تطبيق</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>نعم</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>لا</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>&amp;Print</source>
        <translation>طباعة</translation>
    </message>
</context>
<context>
    <name>QProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
</context>
<context>
    <name>Reconcile</name>
    <message>
        <source>date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>cheque number</source>
        <translation>رقم الشيك</translation>
    </message>
    <message>
        <source>amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>%1 has no %2 column in its first row</source>
        <translation>ليس في السطر الأول من ⁨%1⁩ عمود ⁨%2⁩</translation>
    </message>
    <message>
        <source>its date cannot be read</source>
        <translation>تعذّرت قراءة تاريخه</translation>
    </message>
    <message>
        <source>its amount cannot be read</source>
        <translation>تعذّرت قراءة مبلغه</translation>
    </message>
    <message>
        <source>the register has no such cheque of %1</source>
        <translation>ليس في السجل شيك كهذا من ⁨%1⁩</translation>
    </message>
    <message>
        <source>the register&apos;s cheque is for %1</source>
        <translation>شيك السجل بمبلغ ⁨%1⁩</translation>
    </message>
    <message>
        <source>the cheque is cleared already</source>
        <translation>الشيك مصروف من قبل</translation>
    </message>
    <message>
        <source>the register has the cheque as %1</source>
        <translation>الشيك في السجل ⁨%1⁩</translation>
    </message>
    <message>
        <source>Line %1, cheque %2, %3: %4</source>
        <translation>السطر ⁨%1⁩، الشيك ⁨%2⁩، ⁨%3⁩: ⁨%4⁩</translation>
    </message>
    <message>
        <source>Line %1, cheque %2: paid on %3, before its date %4</source>
        <translation>السطر ⁨%1⁩، الشيك ⁨%2⁩: صُرف في ⁨%3⁩، قبل تاريخه ⁨%4⁩</translation>
    </message>
    <message>
        <source>the statement pays it on %1, before it was printed on %2</source>
        <translation>يصرفه الكشف في ⁨%1⁩، قبل أن يُطبع في ⁨%2⁩</translation>
    </message>
    <message>
        <source>Cleared on %1 (statement line %2), before its date</source>
        <translation>صُرف في ⁨%1⁩ (سطر الكشف ⁨%2⁩)، قبل تاريخه</translation>
    </message>
    <message>
        <source>Cleared on %1 (statement line %2)</source>
        <translation>صُرف في ⁨%1⁩ (سطر الكشف ⁨%2⁩)</translation>
    </message>
    <message>
        <source>Statement %1 of %2, reconciled</source>
        <translation>كشف ⁨%1⁩ من ⁨%2⁩، بعد المطابقة</translation>
    </message>
    <message>
        <source>%1 cheques cleared; %2 lines do not match</source>
        <translation>الشيكات المصروفة: ⁨%1⁩؛ الأسطر غير المطابقة: ⁨%2⁩</translation>
    </message>
    <message>
        <source>Statement: %1, %2 lines with a cheque number</source>
        <translation>الكشف: ⁨%1⁩، الأسطر ذات رقم شيك: ⁨%2⁩</translation>
    </message>
</context>
<context>
    <name>RegisterExport</name>
    <message>
        <source>Register No.</source>
        <translation>رقم السجل</translation>
    </message>
    <message>
        <source>Printed</source>
        <translation>طُبع</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>البنك</translation>
    </message>
    <message>
        <source>Cheque No.</source>
        <translation>رقم الشيك</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>المستفيد</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>العملة</translation>
    </message>
    <message>
        <source>Account Only</source>
        <translation>للمستفيد الأول</translation>
    </message>
    <message>
        <source>State</source>
        <translation>الحالة</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>السبب</translation>
    </message>
    <message>
        <source>Replaces</source>
        <translation>بدلاً من</translation>
    </message>
    <message>
        <source>Printer or File</source>
        <translation>الطابعة أو الملف</translation>
    </message>
    <message>
        <source>User</source>
        <translation>المستخدم</translation>
    </message>
    <message>
        <source>Amount in English</source>
        <translation>المبلغ بالإنجليزية</translation>
    </message>
    <message>
        <source>Amount in Arabic</source>
        <translation>المبلغ بالعربية</translation>
    </message>
    <message>
        <source>Date as Printed</source>
        <translation>التاريخ كما طُبع</translation>
    </message>
    <message>
        <source>Cheques</source>
        <translation>الشيكات</translation>
    </message>
    <message>
        <source>Cheques %1</source>
        <translation>الشيكات %1</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>نعم</translation>
    </message>
    <message>
        <source>No</source>
        <translation>لا</translation>
    </message>
</context>
<context>
    <name>RegisterReport</name>
    <message>
        <source>No cheques</source>
        <translation>لا شيكات</translation>
    </message>
    <message>
        <source>%Ln cheque: %1 %2</source>
        <translation>شيك واحد: ⁨%1⁩ ⁨%2⁩</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cheques: %1 %2</source>
        <translation>
            <numerusform>لا شيكات: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>شيك واحد: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>شيكان: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>%Ln شيكات: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>%Ln شيكاً: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>%Ln شيك: ⁨%1⁩ ⁨%2⁩</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln voided, %1</source>
        <translation>
            <numerusform>لا شيء ملغى، ⁨%1⁩</numerusform>
            <numerusform>شيك ملغى، ⁨%1⁩</numerusform>
            <numerusform>شيكان ملغيان، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكات ملغاة، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكاً ملغى، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيك ملغى، ⁨%1⁩</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln spoilt, %1</source>
        <translation>
            <numerusform>لا شيء تالف، ⁨%1⁩</numerusform>
            <numerusform>شيك تالف، ⁨%1⁩</numerusform>
            <numerusform>شيكان تالفان، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكات تالفة، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكاً تالفاً، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيك تالف، ⁨%1⁩</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln failed, %1</source>
        <translation>
            <numerusform>لا شيء فاشل، ⁨%1⁩</numerusform>
            <numerusform>شيك فاشل، ⁨%1⁩</numerusform>
            <numerusform>شيكان فاشلان، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكات فاشلة، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكاً فاشلاً، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيك فاشل، ⁨%1⁩</numerusform>
        </translation>
    </message>
    <message>
        <source> (not counted: %1)</source>
        <translation> (غير محسوبة: ⁨%1⁩)</translation>
    </message>
    <message>
        <source>Cannot write the file &quot;%1&quot;: %2</source>
        <translation>تعذّرت كتابة الملف «⁨%1⁩»: ⁨%2⁩</translation>
    </message>
    <message numerus="yes">
        <source>, %Ln outstanding: %1 %2</source>
        <translation>
            <numerusform>، لا شيء مستحق: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>، شيك مستحق: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>، شيكان مستحقان: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>، %Ln شيكات مستحقة: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>، %Ln شيكاً مستحقاً: ⁨%1⁩ ⁨%2⁩</numerusform>
            <numerusform>، %Ln شيك مستحق: ⁨%1⁩ ⁨%2⁩</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln returned, %1</source>
        <translation>
            <numerusform>لا شيء مرتجع، ⁨%1⁩</numerusform>
            <numerusform>شيك مرتجع، ⁨%1⁩</numerusform>
            <numerusform>شيكان مرتجعان، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكات مرتجعة، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكاً مرتجعاً، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيك مرتجع، ⁨%1⁩</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln stopped, %1</source>
        <translation>
            <numerusform>لا شيء موقوف، ⁨%1⁩</numerusform>
            <numerusform>شيك موقوف، ⁨%1⁩</numerusform>
            <numerusform>شيكان موقوفان، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكات موقوفة، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيكاً موقوفاً، ⁨%1⁩</numerusform>
            <numerusform>%Ln شيك موقوف، ⁨%1⁩</numerusform>
        </translation>
    </message>
    <message>
        <source>No.</source>
        <translation>الرقم</translation>
    </message>
    <message>
        <source>Printed</source>
        <translation>طُبع</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>البنك</translation>
    </message>
    <message>
        <source>Cheque No.</source>
        <translation>رقم الشيك</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>المستفيد</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>العملة</translation>
    </message>
    <message>
        <source>State</source>
        <translation>الحالة</translation>
    </message>
    <message>
        <source>%1 from %2 to %3</source>
        <translation>%1 من ⁨%2⁩ إلى ⁨%3⁩</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1 من ⁨%2⁩</translation>
    </message>
    <message>
        <source>%1 until %2</source>
        <translation>%1 حتى ⁨%2⁩</translation>
    </message>
    <message>
        <source>printed</source>
        <translation>مطبوعة</translation>
    </message>
    <message>
        <source>dated</source>
        <translation>مؤرخة</translation>
    </message>
    <message>
        <source>bank %1</source>
        <translation>البنك ⁨%1⁩</translation>
    </message>
    <message>
        <source>payee containing &quot;%1&quot;</source>
        <translation>المستفيد يحوي «⁨%1⁩»</translation>
    </message>
    <message>
        <source>amount from %1</source>
        <translation>المبلغ من ⁨%1⁩</translation>
    </message>
    <message>
        <source>amount up to %1</source>
        <translation>المبلغ حتى ⁨%1⁩</translation>
    </message>
    <message>
        <source>state %1</source>
        <translation>الحالة %1</translation>
    </message>
    <message>
        <source>All cheques</source>
        <translation>كل الشيكات</translation>
    </message>
    <message>
        <source>Cheques %1</source>
        <translation>الشيكات: %1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>، </translation>
    </message>
    <message>
        <source>Totals: %1</source>
        <translation>المجاميع: %1</translation>
    </message>
    <message>
        <source>Cheque Register</source>
        <translation>سجل الشيكات</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>صفحة ⁨%1⁩</translation>
    </message>
    <message>
        <source>Bank %1: %2</source>
        <translation>البنك ⁨%1⁩: %2</translation>
    </message>
    <message>
        <source>State %1: %2</source>
        <translation>الحالة %1: %2</translation>
    </message>
    <message>
        <source>Reason: %1</source>
        <translation>السبب: %1</translation>
    </message>
    <message>
        <source>History: %1 events, the latest on %2; its hash %3</source>
        <translation>السجل التاريخي: عدد أحداثه ⁨%1⁩، آخرها في ⁨%2⁩؛ بصمته ⁨%3⁩</translation>
    </message>
    <message>
        <source>replaced by cheque %1</source>
        <translation>استُبدل بالشيك ⁨%1⁩</translation>
    </message>
</context>
<context>
    <name>RegisterWindow</name>
    <message>
        <source>Cheque Register</source>
        <translation>سجل الشيكات</translation>
    </message>
    <message>
        <source>Password of the user &quot;%1&quot; for the register &quot;%2&quot; on %3:</source>
        <translation>كلمة مرور المستخدم «⁨%1⁩» للسجل «⁨%2⁩» على ⁨%3⁩:</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>مُرسَل</translation>
    </message>
    <message>
        <source>printed</source>
        <translation>مطبوع</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>فشل</translation>
    </message>
    <message>
        <source>voided</source>
        <translation>ملغى</translation>
    </message>
    <message>
        <source>spoilt</source>
        <translation>تالف</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>الرقم</translation>
    </message>
    <message>
        <source>Printed</source>
        <translation>وقت الطباعة</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>البنك</translation>
    </message>
    <message>
        <source>Cheque No.</source>
        <translation>رقم الشيك</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>المستفيد</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>العملة</translation>
    </message>
    <message>
        <source>State</source>
        <translation>الحالة</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>السبب</translation>
    </message>
    <message>
        <source>User</source>
        <translation>المستخدم</translation>
    </message>
    <message>
        <source>Printer or File</source>
        <translation>الطابعة أو الملف</translation>
    </message>
    <message>
        <source>reprint of No. %1</source>
        <translation>إعادة طباعة للرقم ⁨%1⁩</translation>
    </message>
    <message>
        <source>Sent to the printer, but the program stopped before the printer answered: check whether this cheque came out, then mark it spoilt or leave it.</source>
        <translation>أُرسل إلى الطابعة، لكن البرنامج توقف قبل أن تجيب الطابعة: تحقق من خروج هذا الشيك، ثم علّمه تالفاً أو اتركه.</translation>
    </message>
    <message>
        <source>All states</source>
        <translation>كل الحالات</translation>
    </message>
    <message>
        <source>Payee contains</source>
        <translation>بحث بالمستفيد</translation>
    </message>
    <message>
        <source>Amount from</source>
        <translation>المبلغ من</translation>
    </message>
    <message>
        <source>Amount to</source>
        <translation>المبلغ إلى</translation>
    </message>
    <message>
        <source>Void…</source>
        <translation>إلغاء الشيك…</translation>
    </message>
    <message>
        <source>Spoilt…</source>
        <translation>تالف…</translation>
    </message>
    <message>
        <source>Mark Printed</source>
        <translation>اعتباره مطبوعاً</translation>
    </message>
    <message>
        <source>Reprint…</source>
        <translation>إعادة الطباعة…</translation>
    </message>
    <message>
        <source>Cheque Numbers…</source>
        <translation>أرقام الشيكات…</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>تصدير…</translation>
    </message>
    <message>
        <source>Save Report…</source>
        <translation>حفظ التقرير…</translation>
    </message>
    <message>
        <source>Print Report…</source>
        <translation>طباعة التقرير…</translation>
    </message>
    <message>
        <source>Connection…</source>
        <translation>ربط السجل…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>All banks</source>
        <translation>كل البنوك</translation>
    </message>
    <message>
        <source>An amount to filter by is not a number.</source>
        <translation>أحد مبلغي التصفية ليس رقماً.</translation>
    </message>
    <message>
        <source>Export Cheques</source>
        <translation>تصدير الشيكات</translation>
    </message>
    <message>
        <source>Exporting the cheques…</source>
        <translation>جارٍ تصدير الشيكات…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>Exporting the cheques… %1</source>
        <translation>جارٍ تصدير الشيكات… ⁨%1⁩</translation>
    </message>
    <message>
        <source>The export was cancelled; nothing was written.</source>
        <translation>أُلغي التصدير؛ لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>%1 cheques exported to &quot;%2&quot;.</source>
        <translation>صُدِّر ⁨%1⁩ شيكاً إلى «⁨%2⁩».</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>حفظ التقرير</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>ملفات PDF ⁦(*.pdf)</translation>
    </message>
    <message>
        <source>Register Connection</source>
        <translation>اتصال السجل</translation>
    </message>
    <message>
        <source>A register file on this computer</source>
        <translation>ملف سجل على هذا الحاسوب</translation>
    </message>
    <message>
        <source>A PostgreSQL server, shared by the office</source>
        <translation>خادم PostgreSQL يشترك فيه المكتب</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>استعراض…</translation>
    </message>
    <message>
        <source>server name, or the folder of its socket</source>
        <translation>اسم الخادم، أو مجلد المقبس الخاص به</translation>
    </message>
    <message>
        <source>File</source>
        <translation>الملف</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>الخادم</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>المنفذ</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>قاعدة البيانات</translation>
    </message>
    <message>
        <source>The password is taken from the PostgreSQL password file (.pgpass) or asked for when the register is opened; it is never saved.</source>
        <translation>تؤخذ كلمة المرور من ملف كلمات مرور PostgreSQL (.pgpass) أو تُطلب عند فتح السجل؛ ولا تُحفظ أبداً.</translation>
    </message>
    <message>
        <source>Register File</source>
        <translation>ملف السجل</translation>
    </message>
    <message>
        <source>Registers (*.sqlite);;All files (*)</source>
        <translation>السجلات ⁦(*.sqlite);;كل الملفات ⁦(*)</translation>
    </message>
    <message>
        <source>Cheque Numbers</source>
        <translation>أرقام الشيكات</translation>
    </message>
    <message>
        <source>Next cheque number</source>
        <translation>رقم الشيك التالي</translation>
    </message>
    <message>
        <source>Give the first number of a new cheque book; each cheque printed takes the next number.</source>
        <translation>أدخل أول رقم في دفتر الشيكات الجديد؛ ويأخذ كل شيك يُطبع الرقم التالي.</translation>
    </message>
    <message>
        <source>The next cheque number must be a whole number from 1.</source>
        <translation>يجب أن يكون رقم الشيك التالي عدداً صحيحاً من 1 فأكثر.</translation>
    </message>
    <message>
        <source>Dated</source>
        <translation>تاريخ الشيك</translation>
    </message>
    <message>
        <source>From and To are days of printing, or the cheques&apos; own dates</source>
        <translation>«من» و«إلى» أيام الطباعة، أو تواريخ الشيكات نفسها</translation>
    </message>
    <message>
        <source>the default printer</source>
        <translation>الطابعة الافتراضية</translation>
    </message>
    <message>
        <source>From</source>
        <translation>من</translation>
    </message>
    <message>
        <source>To</source>
        <translation>إلى</translation>
    </message>
    <message>
        <source>Why is cheque No. %1 of %2 (%3, %4 %5) void?</source>
        <translation>ما سبب إلغاء الشيك رقم ⁨%1⁩ من ⁨%2⁩ (⁨%3⁩، ⁨%4⁩ ⁨%5⁩)؟</translation>
    </message>
    <message>
        <source>Why is cheque No. %1 of %2 (%3, %4 %5) spoilt?</source>
        <translation>ما سبب اعتبار الشيك رقم ⁨%1⁩ من ⁨%2⁩ (⁨%3⁩، ⁨%4⁩ ⁨%5⁩) تالفاً؟</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>السجل…</translation>
    </message>
    <message>
        <source>in the register before its history began</source>
        <translation>في سجل الشيكات قبل بدء تسجيل أحداثه</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>⁨%1⁩، ⁨%2⁩: ⁨%3⁩</translation>
    </message>
    <message>
        <source> (%1)</source>
        <translation> (⁨%1⁩)</translation>
    </message>
    <message>
        <source>No events.</source>
        <translation>لا أحداث.</translation>
    </message>
    <message>
        <source>Cheque No. %1 of %2 (%3):</source>
        <translation>الشيك رقم ⁨%1⁩ من ⁨%2⁩ (⁨%3⁩):</translation>
    </message>
    <message>
        <source>Encrypted (TLS)</source>
        <translation>مشفّر</translation>
    </message>
    <message>
        <source>Encrypted, the server verified by the office&apos;s certificate</source>
        <translation>مشفّر، مع التحقق من الخادم بشهادة المكتب</translation>
    </message>
    <message>
        <source>Not encrypted (this computer&apos;s socket only)</source>
        <translation>غير مشفّر (لمقبس هذا الحاسوب فقط)</translation>
    </message>
    <message>
        <source>the certificate authority&apos;s certificate (.crt, .pem)</source>
        <translation>ملف شهادة جهة الشهادات</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>التشفير</translation>
    </message>
    <message>
        <source>Certificate authority</source>
        <translation>جهة الشهادات</translation>
    </message>
    <message>
        <source>Certificate Authority</source>
        <translation>جهة الشهادات</translation>
    </message>
    <message>
        <source>Certificates (*.crt *.pem);;All files (*)</source>
        <translation>الشهادات ⁦(*.crt *.pem);;كل الملفات ⁦(*)</translation>
    </message>
    <message>
        <source>prepared</source>
        <translation>مُعَدّ</translation>
    </message>
    <message>
        <source>approved</source>
        <translation>موافق عليه</translation>
    </message>
    <message>
        <source>rejected</source>
        <translation>مرفوض</translation>
    </message>
    <message>
        <source>Approve…</source>
        <translation>موافقة…</translation>
    </message>
    <message>
        <source>Reject…</source>
        <translation>رفض…</translation>
    </message>
    <message>
        <source>Print Approved…</source>
        <translation>طباعة الموافق عليه…</translation>
    </message>
    <message>
        <source>Approve the cheque of %1 to &quot;%2&quot; for %3 %4, prepared by %5? A comment, if any:</source>
        <translation>الموافقة على شيك ⁨%1⁩ إلى «⁨%2⁩» بمبلغ ⁨%3⁩ ⁨%4⁩، الذي أعدّه ⁨%5⁩؟ ملاحظة، إن وُجدت:</translation>
    </message>
    <message>
        <source>Why is the cheque of %1 to &quot;%2&quot; for %3 %4, prepared by %5, rejected?</source>
        <translation>ما سبب رفض شيك ⁨%1⁩ إلى «⁨%2⁩» بمبلغ ⁨%3⁩ ⁨%4⁩، الذي أعدّه ⁨%5⁩؟</translation>
    </message>
    <message>
        <source>delivered</source>
        <translation>مُسلَّم</translation>
    </message>
    <message>
        <source>cleared</source>
        <translation>مصروف</translation>
    </message>
    <message>
        <source>returned</source>
        <translation>مرتجع</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>موقوف الصرف</translation>
    </message>
    <message>
        <source>stale (not cleared in time)</source>
        <translation>منتهي الصلاحية (لم يُصرف في وقته)</translation>
    </message>
    <message numerus="yes">
        <source> months valid</source>
        <translation>
            <numerusform> شهر صلاحية</numerusform>
            <numerusform> شهر صلاحية</numerusform>
            <numerusform> شهران صلاحية</numerusform>
            <numerusform> أشهر صلاحية</numerusform>
            <numerusform> شهراً صلاحية</numerusform>
            <numerusform> شهر صلاحية</numerusform>
        </translation>
    </message>
    <message>
        <source>How many months after its date a cheque can be paid</source>
        <translation>عدد الأشهر التي يمكن صرف الشيك فيها بعد تاريخه</translation>
    </message>
    <message>
        <source>After Print</source>
        <translation>بعد الطباعة</translation>
    </message>
    <message>
        <source>Delivered to the Payee</source>
        <translation>سُلّم إلى المستفيد</translation>
    </message>
    <message>
        <source>Cleared by the Bank…</source>
        <translation>صرفه البنك…</translation>
    </message>
    <message>
        <source>Returned Unpaid…</source>
        <translation>أُرجع دون صرف…</translation>
    </message>
    <message>
        <source>Payment Stopped…</source>
        <translation>أُوقف صرفه…</translation>
    </message>
    <message>
        <source>cheque No. %1 of %2 (%3, %4 %5)</source>
        <translation>الشيك رقم ⁨%1⁩ من ⁨%2⁩ (⁨%3⁩، ⁨%4⁩ ⁨%5⁩)</translation>
    </message>
    <message>
        <source>On what date did the bank pay %1?</source>
        <translation>في أي تاريخ صرف البنك ⁨%1⁩؟</translation>
    </message>
    <message>
        <source>Why did the bank return %1 unpaid?</source>
        <translation>لماذا أرجع البنك ⁨%1⁩ دون صرف؟</translation>
    </message>
    <message>
        <source>Why is the payment of %1 stopped?</source>
        <translation>لماذا أُوقف صرف ⁨%1⁩؟</translation>
    </message>
    <message>
        <source>Reconcile…</source>
        <translation>مطابقة كشف الحساب…</translation>
    </message>
    <message>
        <source>Choose the statement&apos;s bank in the bank filter first.</source>
        <translation>اختر بنك الكشف في مرشّح البنوك أولاً.</translation>
    </message>
    <message>
        <source>The Statement of %1</source>
        <translation>كشف حساب ⁨%1⁩</translation>
    </message>
    <message>
        <source>Bank statements (*.csv *.xlsx *.txt);;All files (*)</source>
        <translation>كشوف الحسابات ⁦(*.csv *.xlsx *.txt);;كل الملفات ⁦(*)</translation>
    </message>
    <message numerus="yes">
        <source>…and %Ln more.</source>
        <translation>
            <numerusform>…ولا شيء غيرها.</numerusform>
            <numerusform>…وسطر آخر.</numerusform>
            <numerusform>…وسطران آخران.</numerusform>
            <numerusform>…و%Ln سطور أخرى.</numerusform>
            <numerusform>…و%Ln سطراً آخر.</numerusform>
            <numerusform>…و%Ln سطر آخر.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln cheques of %1 cleared; %2 lines of the statement do not match.</source>
        <translation>
            <numerusform>لم يُصرف أي شيك من ⁨%1⁩؛ ⁨%2⁩ سطور من الكشف لا تطابق.</numerusform>
            <numerusform>صُرف شيك واحد من ⁨%1⁩؛ ⁨%2⁩ سطور من الكشف لا تطابق.</numerusform>
            <numerusform>صُرف شيكان من ⁨%1⁩؛ ⁨%2⁩ سطور من الكشف لا تطابق.</numerusform>
            <numerusform>صُرفت %Ln شيكات من ⁨%1⁩؛ ⁨%2⁩ سطور من الكشف لا تطابق.</numerusform>
            <numerusform>صُرف %Ln شيكاً من ⁨%1⁩؛ ⁨%2⁩ سطور من الكشف لا تطابق.</numerusform>
            <numerusform>صُرف %Ln شيك من ⁨%1⁩؛ ⁨%2⁩ سطور من الكشف لا تطابق.</numerusform>
        </translation>
    </message>
    <message>
        <source>Save the reconciliation&apos;s report as a PDF file?</source>
        <translation>حفظ تقرير المطابقة ملفَّ PDF؟</translation>
    </message>
    <message>
        <source>Save the Reconciliation</source>
        <translation>حفظ المطابقة</translation>
    </message>
    <message>
        <source>Add a Cheque Book…</source>
        <translation>إضافة دفتر شيكات…</translation>
    </message>
    <message>
        <source>Tell when fewer leaves are left than</source>
        <translation>التنبيه عندما يقل عدد الأوراق الباقية عن</translation>
    </message>
    <message>
        <source>No cheque books: any number is printed.</source>
        <translation>لا دفاتر شيكات: يُطبع أي رقم.</translation>
    </message>
    <message>
        <source>Cheque books: %1. Leaves left in the one in use: %2.</source>
        <translation>دفاتر الشيكات: ⁨%1⁩. الأوراق الباقية في الدفتر المستعمل: ⁨%2⁩.</translation>
    </message>
    <message>
        <source>The first and last leaf numbers of the new cheque book of %1 (for instance 101-150):</source>
        <translation>رقما الورقة الأولى والأخيرة في دفتر الشيكات الجديد لـ⁨%1⁩ (مثلاً 101-150):</translation>
    </message>
    <message>
        <source>Give the first and last leaf numbers, as 101-150.</source>
        <translation>اذكر رقمي الورقة الأولى والأخيرة، مثل 101-150.</translation>
    </message>
    <message>
        <source>Due Dates…</source>
        <translation>تواريخ الاستحقاق…</translation>
    </message>
    <message>
        <source>Accounts…</source>
        <translation>الحسابات…</translation>
    </message>
    <message>
        <source>%1: %2, %3 sub-unit digits</source>
        <translation>⁨%1⁩: ⁨%2⁩، ⁨%3⁩ أرقام للأجزاء</translation>
    </message>
    <message>
        <source>The register has no account yet.</source>
        <translation>ليس في سجل الشيكات حساب بعد.</translation>
    </message>
    <message>
        <source>The register&apos;s accounts:
%1</source>
        <translation>حسابات سجل الشيكات:
⁨%1⁩</translation>
    </message>
    <message>
        <source>To add an account, choose its bank in the bank filter first.</source>
        <translation>لإضافة حساب، اختر بنكه في مرشّح البنوك أولاً.</translation>
    </message>
    <message>
        <source>Add the account of %1 in %2, with %3 sub-unit digits?</source>
        <translation>إضافة حساب ⁨%1⁩ بعملة ⁨%2⁩، مع ⁨%3⁩ أرقام للأجزاء؟</translation>
    </message>
    <message>
        <source>The account of %1 was added.</source>
        <translation>أُضيف حساب ⁨%1⁩.</translation>
    </message>
    <message>
        <source>The reason must be given: it is kept with the cheque.</source>
        <translation>يجب ذكر السبب: فهو يُحفظ مع الشيك.</translation>
    </message>
    <message>
        <source>The date &quot;%1&quot; cannot be read: %2.</source>
        <translation>لا يمكن قراءة التاريخ &quot;⁨%1⁩&quot;: %2.</translation>
    </message>
    <message>
        <source>The report (one page) was saved to &quot;%1&quot;.</source>
        <translation>حُفظ التقرير (صفحة واحدة) في «⁨%1⁩».</translation>
    </message>
    <message numerus="yes">
        <source>The report (%Ln pages) was saved to &quot;%1&quot;.</source>
        <translation>
            <numerusform>حُفظ التقرير (بلا صفحات) في «⁨%1⁩».</numerusform>
            <numerusform>حُفظ التقرير (صفحة واحدة) في «⁨%1⁩».</numerusform>
            <numerusform>حُفظ التقرير (صفحتان) في «⁨%1⁩».</numerusform>
            <numerusform>حُفظ التقرير (%Ln صفحات) في «⁨%1⁩».</numerusform>
            <numerusform>حُفظ التقرير (%Ln صفحة) في «⁨%1⁩».</numerusform>
            <numerusform>حُفظ التقرير (%Ln صفحة) في «⁨%1⁩».</numerusform>
        </translation>
    </message>
    <message>
        <source> month valid</source>
        <translation> شهر صلاحية</translation>
    </message>
    <message>
        <source>Set Back to Printed…</source>
        <translation>إعادة إلى «مطبوع»…</translation>
    </message>
    <message>
        <source>Cheque No. %1 of %2 is %3. Why is it set back to printed? The reason is kept in its history.</source>
        <translation>الشيك رقم ⁨%1⁩ من ⁨%2⁩ حالته %3. لماذا يُعاد إلى «مطبوع»؟ يُحفظ السبب في سجله التاريخي.</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>ملفات CSV ⁦(*.csv)</translation>
    </message>
    <message>
        <source>CSV files, headers in this language (*.csv)</source>
        <translation>ملفات CSV بعناوين عربية ⁦(*.csv)</translation>
    </message>
    <message>
        <source>Excel workbooks (*.xlsx)</source>
        <translation>مصنفات Excel ⁦(*.xlsx)</translation>
    </message>
</context>
<context>
    <name>Schedule</name>
    <message>
        <source>the schedule</source>
        <translation>الجدول</translation>
    </message>
</context>
<context>
    <name>ScheduleDialog</name>
    <message>
        <source>Schedule of Cheques</source>
        <translation>جدول الشيكات</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>شهرياً</translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation>كل ربع سنة</translation>
    </message>
    <message>
        <source>Half-yearly</source>
        <translation>كل نصف سنة</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>سنوياً</translation>
    </message>
    <message>
        <source>Account payee only</source>
        <translation>للمستفيد الأول فقط</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>المستفيد:</translation>
    </message>
    <message>
        <source>Amount of each cheque:</source>
        <translation>مبلغ كل شيك:</translation>
    </message>
    <message>
        <source>Bank:</source>
        <translation>البنك:</translation>
    </message>
    <message>
        <source>First date:</source>
        <translation>التاريخ الأول:</translation>
    </message>
    <message>
        <source>Cheques:</source>
        <translation>عدد الشيكات:</translation>
    </message>
    <message>
        <source>Every:</source>
        <translation>كل:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>ملاحظة:</translation>
    </message>
    <message>
        <source>Make the List</source>
        <translation>إعداد القائمة</translation>
    </message>
</context>
<context>
    <name>TChequeForm</name>
    <message>
        <source>Printer Offsets</source>
        <translation>إزاحات الطابعة</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> مم</translation>
    </message>
    <message>
        <source>Apply this offset to every page sent to the printer</source>
        <translation>طبّق هذه الإزاحة على كل صفحة تُرسل إلى الطابعة</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>الطابعة</translation>
    </message>
    <message>
        <source>Move pages right by</source>
        <translation>أزِح الصفحات يميناً بمقدار</translation>
    </message>
    <message>
        <source>Move pages down by</source>
        <translation>أزِح الصفحات لأسفل بمقدار</translation>
    </message>
    <message>
        <source>Print the calibration page, lay it over a cheque and read how far the printer puts things off; a negative number moves pages left or up.</source>
        <translation>اطبع صفحة المعايرة وضعها فوق شيك واقرأ مقدار انحراف الطابعة؛ الرقم السالب يزيح الصفحات يساراً أو لأعلى.</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>البنك</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>تعديل</translation>
    </message>
    <message>
        <source>Print Test</source>
        <translation>طباعة تجريبية</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>إضافة</translation>
    </message>
    <message>
        <source>Money</source>
        <translation>العملة</translation>
    </message>
    <message>
        <source>Save Options</source>
        <translation>حفظ التصميم</translation>
    </message>
    <message>
        <source>Labels Count</source>
        <translation>عدد الحقول</translation>
    </message>
    <message>
        <source>B/A Ammount</source>
        <translation>قبل/بعد المبلغ</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>يسار</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>أعلى</translation>
    </message>
    <message>
        <source>Portial</source>
        <translation>عمودي</translation>
    </message>
    <message>
        <source>preview</source>
        <translation>معاينة</translation>
    </message>
    <message>
        <source>Only First</source>
        <translation>«فقط» أولاً</translation>
    </message>
    <message>
        <source>Labels count</source>
        <translation>عدد الحقول</translation>
    </message>
    <message>
        <source>B/A text</source>
        <translation>نص قبل/بعد المبلغ</translation>
    </message>
    <message>
        <source>Left margin</source>
        <translation>الهامش الأيسر</translation>
    </message>
    <message>
        <source>Top margin</source>
        <translation>الهامش العلوي</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>يمين</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>الخط</translation>
    </message>
    <message>
        <source>Direction of field %1</source>
        <translation>اتجاه الحقل ⁨%1⁩</translation>
    </message>
    <message>
        <source>Font of field %1</source>
        <translation>خط الحقل ⁨%1⁩</translation>
    </message>
    <message>
        <source>Kind of field %1</source>
        <translation>نوع الحقل ⁨%1⁩</translation>
    </message>
    <message>
        <source>&amp;Choose Scanned Cheque…</source>
        <translation>اختيار صورة الشيك الممسوحة…</translation>
    </message>
    <message>
        <source>&amp;Place and Opacity…</source>
        <translation>الموضع والشفافية…</translation>
    </message>
    <message>
        <source>Where the scan&apos;s top-left corner lies from the cheque area&apos;s origin (left and top in mm), and its opacity in per cent:</source>
        <translation>موضع الزاوية العليا اليسرى للصورة الممسوحة من أصل منطقة الشيك (اليسار والأعلى بالمليمتر)، وعتامتها بالمئة:</translation>
    </message>
    <message>
        <source>Give three numbers: left and top in mm, and the opacity from 0 to 100.</source>
        <translation>أدخل ثلاثة أرقام: اليسار والأعلى بالمليمتر، والعتامة من 0 إلى 100.</translation>
    </message>
    <message>
        <source>&amp;Remove Scan</source>
        <translation>إزالة الصورة الممسوحة</translation>
    </message>
    <message>
        <source>Print &amp;Calibration Page…</source>
        <translation>طباعة صفحة المعايرة…</translation>
    </message>
    <message>
        <source>Printer &amp;Offsets…</source>
        <translation>إزاحات الطابعة…</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>خطأ</translation>
    </message>
    <message>
        <source>%1 «%2» cannot be kept: it holds %3. %4</source>
        <translation>لا يمكن حفظ ⁨%1⁩ «⁨%2⁩»: فيه ⁨%3⁩. ⁨%4⁩</translation>
    </message>
    <message>
        <source>Bank Name</source>
        <translation>اسم البنك</translation>
    </message>
    <message>
        <source>The bank name</source>
        <translation>اسم البنك</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>تأكيد</translation>
    </message>
    <message>
        <source>Delete حذف &quot;%1&quot;?

The bank and its layout are removed.</source>
        <translation>حذف «⁨%1⁩»؟

يُحذف البنك وتصميمه.</translation>
    </message>
    <message>
        <source>The font name</source>
        <translation>اسم الخط</translation>
    </message>
    <message>
        <source>Left %1 mm, top %2 mm; %3 × %4 mm</source>
        <translation>يسار ⁨%1⁩ مم، أعلى ⁨%2⁩ مم؛ ⁨%3⁩ × ⁨%4⁩ مم</translation>
    </message>
    <message>
        <source>The layout of the bank &quot;%1&quot; has changes that are not saved in options.txt.

Save them?</source>
        <translation>في تصميم البنك «⁨%1⁩» تغييرات لم تُحفظ في الملف options.txt.

هل تريد حفظها؟</translation>
    </message>
    <message>
        <source>Place field %1</source>
        <translation>وضع الحقل ⁨%1⁩</translation>
    </message>
    <message>
        <source>Move field %1</source>
        <translation>تحريك الحقل ⁨%1⁩</translation>
    </message>
    <message>
        <source>Field %1: %2, %3, %4 × %5 px</source>
        <translation>الحقل ⁨%1⁩: ⁨%2⁩، ⁨%3⁩، ⁨%4⁩ × ⁨%5⁩ بكسل</translation>
    </message>
    <message>
        <source>Scan not shown: %1.</source>
        <translation>لم تُعرض الصورة الممسوحة: ⁨%1⁩.</translation>
    </message>
    <message>
        <source>Scan not shown: its resolution is not known.</source>
        <translation>لم تُعرض الصورة الممسوحة: دقتها غير معروفة.</translation>
    </message>
    <message>
        <source>Scanned Cheque</source>
        <translation>صورة الشيك الممسوحة</translation>
    </message>
    <message>
        <source>Scans (*.png *.jpg *.jpeg *.pdf);;All files (*)</source>
        <translation>الصور الممسوحة ⁦(*.png *.jpg *.jpeg *.pdf);;كل الملفات ⁦(*)</translation>
    </message>
    <message>
        <source>The scan cannot be used: %1.</source>
        <translation>لا يمكن استخدام الصورة الممسوحة: ⁨%1⁩.</translation>
    </message>
    <message>
        <source>The scan does not say its resolution. At how many dots per inch was it scanned?</source>
        <translation>لا تذكر الصورة الممسوحة دقتها. بكم نقطة في البوصة مُسحت؟</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>المستفيد</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>En Text Amount</source>
        <translation>كتابةً بالإنجليزية</translation>
    </message>
    <message>
        <source>Ar Text Amount</source>
        <translation>كتابةً بالعربية</translation>
    </message>
    <message>
        <source>Account Only</source>
        <translation>للمستفيد الأول</translation>
    </message>
    <message>
        <source>the scan &quot;%1&quot; cannot be read</source>
        <translation>تعذّرت قراءة الصورة الممسوحة «⁨%1⁩»</translation>
    </message>
    <message>
        <source>the PDF &quot;%1&quot; has no page that can be shown</source>
        <translation>ليس في ملف PDF «⁨%1⁩» صفحة يمكن عرضها</translation>
    </message>
    <message>
        <source>the scan &quot;%1&quot; is not a PNG, JPEG or PDF image (%2)</source>
        <translation>الصورة الممسوحة «⁨%1⁩» ليست صورة PNG أو JPEG أو PDF (⁨%2⁩)</translation>
    </message>
    <message>
        <source>Calibration page</source>
        <translation>صفحة المعايرة</translation>
    </message>
    <message>
        <source>%1 mm to the %2</source>
        <translation>%1 مم إلى ⁨%2⁩</translation>
    </message>
    <message>
        <source>%1 mm %2</source>
        <translation>%1 مم ⁨%2⁩</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>تحرير</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>تراجع</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>إعادة</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>الصورة الممسوحة</translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation>الطابعة</translation>
    </message>
    <message>
        <source>No printer is installed. Offsets apply to printers only; a PDF file is never moved.</source>
        <translation>لا توجد طابعة مثبّتة. الإزاحات للطابعات فقط؛ ملف PDF لا يُزاح أبداً.</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>مم</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>الاتجاه</translation>
    </message>
    <message>
        <source>Size field %1</source>
        <translation>تغيير حجم الحقل ⁨%1⁩</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>العرض</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>الارتفاع</translation>
    </message>
    <message>
        <source>The field&apos;s text set against the right of its box</source>
        <translation>محاذاة نص الحقل إلى يمين مربعه</translation>
    </message>
    <message>
        <source>the PDF reader (cheque-pdfpage) is not installed</source>
        <translation>قارئ ملفات PDF (cheque-pdfpage) غير مثبّت</translation>
    </message>
    <message>
        <source>A font of %1 points is larger than a cheque&apos;s field takes: choose one of at most %2 points. The field keeps its font.</source>
        <translation>خط بحجم ⁨%1⁩ نقطة أكبر مما يأخذه حقل الشيك: اختر خطاً لا يزيد عن ⁨%2⁩ نقطة. يبقى للحقل خطه.</translation>
    </message>
    <message>
        <source>Fields %1 and %2 overlap</source>
        <translation>الحقلان ⁨%1⁩ و⁨%2⁩ متداخلان</translation>
    </message>
    <message>
        <source>Field %1 runs off the paper</source>
        <translation>الحقل ⁨%1⁩ يخرج عن الورقة</translation>
    </message>
    <message>
        <source>Field %1 cannot print</source>
        <translation>الحقل ⁨%1⁩ لا يُطبع</translation>
    </message>
    <message>
        <source>Cheque Layout</source>
        <translation>تصميم الشيك</translation>
    </message>
</context>
<context>
    <name>TMoneyForm</name>
    <message>
        <source>Mony Type مواصفات العملة</source>
        <translation>مواصفات العملة</translation>
    </message>
    <message>
        <source>Mony Name اسم العملة</source>
        <translation>اسم العملة</translation>
    </message>
    <message>
        <source>Part Name اسم الجزء</source>
        <translation>اسم الجزء</translation>
    </message>
    <message>
        <source>Divided to</source>
        <translation>مقسومة إلى</translation>
    </message>
    <message>
        <source>Money Short Name</source>
        <translation>الاسم المختصر للعملة</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>الاسم</translation>
    </message>
    <message>
        <source> Country</source>
        <translation> الدولة</translation>
    </message>
    <message>
        <source>UAE </source>
        <translation>الإمارات </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>خطأ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>انجليزي</source>
        <translation>إنجليزي</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>عربي</translation>
    </message>
    <message>
        <source>English</source>
        <translation>إنجليزي</translation>
    </message>
    <message>
        <source>Chose</source>
        <translation>مخصّصة</translation>
    </message>
    <message>
        <source>SYR</source>
        <translation>سوريا</translation>
    </message>
</context>
<context>
    <name>TNewChequeForm</name>
    <message>
        <source>Print Cheque</source>
        <translation>طباعة شيك</translation>
    </message>
    <message>
        <source>Print from a &amp;List…</source>
        <translation>طباعة من قائمة…</translation>
    </message>
    <message>
        <source>Cheque &amp;Register…</source>
        <translation>سجل الشيكات…</translation>
    </message>
    <message>
        <source>Register &amp;Connection…</source>
        <translation>ربط السجل…</translation>
    </message>
    <message>
        <source>L&amp;anguage</source>
        <translation>اللغة</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>مساعدة</translation>
    </message>
    <message>
        <source>&amp;About Cheque Printer</source>
        <translation>حول طابعة الشيكات</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>البنك</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>المستفيد</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>العدد</translation>
    </message>
    <message>
        <source>One</source>
        <translation>شيك واحد</translation>
    </message>
    <message>
        <source>Many</source>
        <translation>دفعة شهرية</translation>
    </message>
    <message>
        <source>Account Only</source>
        <translation>للمستفيد الأول</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>طباعة</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>التصميم</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>Cheque Printer: Arabic and English cheques</source>
        <translation>طابعة الشيكات: شيكات بالعربية والإنجليزية</translation>
    </message>
    <message>
        <source>The layout of the bank &quot;%1&quot; in options.txt is damaged: %2

The bank now has the layout that was on screen; check it in Setup. options.txt is written with it at close.%3</source>
        <translation>تصميم البنك «⁨%1⁩» في الملف options.txt تالف: ⁨%2⁩

أصبح للبنك التصميم الذي كان على الشاشة؛ راجعه في «تصميم الشيك». يُكتب الملف options.txt به عند الإغلاق.⁨%3⁩</translation>
    </message>
    <message>
        <source>Printing…</source>
        <translation>جارٍ الطباعة…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>Row %1: %2, %3</source>
        <translation>الصف ⁨%1⁩: ⁨%2⁩، ⁨%3⁩</translation>
    </message>
    <message>
        <source>About Cheque Printer</source>
        <translation>حول طابعة الشيكات</translation>
    </message>
    <message>
        <source>Cheque Printer %1

Prints bank cheques in Arabic and English.

Data folder: %2

Free software under the GNU General Public License, version 3 or later.</source>
        <translation>طابعة الشيكات ⁨%1⁩

تطبع الشيكات المصرفية بالعربية والإنجليزية.

مجلد البيانات: ⁨%2⁩

برنامج حر وفق رخصة جنو العمومية، الإصدار الثالث أو أي إصدار لاحق.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ملف</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>&amp;Register</source>
        <translation>السجل</translation>
    </message>
    <message>
        <source>e.g. %1</source>
        <translation>مثلاً ⁨%1⁩</translation>
    </message>
</context>
<context>
    <name>TPrintChequeForm</name>
    <message>
        <source>the file &quot;%1&quot;</source>
        <translation>الملف «⁨%1⁩»</translation>
    </message>
    <message>
        <source>no printer is set up, and the default printer</source>
        <translation>لا طابعة مُعدّة، والطابعة الافتراضية</translation>
    </message>
    <message>
        <source>the printer &quot;%1&quot;</source>
        <translation>الطابعة «⁨%1⁩»</translation>
    </message>
    <message>
        <source>Bank %1; printer %2; offset in force: %3.</source>
        <translation>البنك ⁨%1⁩؛ الطابعة ⁨%2⁩؛ الإزاحة المطبّقة: ⁨%3⁩.</translation>
    </message>
    <message>
        <source>none (a file)</source>
        <translation>لا شيء (ملف)</translation>
    </message>
    <message>
        <source>Choose another printer in the print dialog.</source>
        <translation>اختر طابعة أخرى في نافذة الطباعة.</translation>
    </message>
    <message>
        <source>Print a cheque from the main window: its print dialog lets you choose a printer, or a PDF file, for the test print too.</source>
        <translation>اطبع شيكاً من النافذة الرئيسية: تتيح لك نافذة الطباعة فيها اختيار طابعة أو ملف PDF، وللطباعة التجريبية أيضاً.</translation>
    </message>
    <message>
        <source>Print Cheque</source>
        <translation>طباعة شيك</translation>
    </message>
    <message>
        <source>The cheque was not printed: %1. %2</source>
        <translation>لم يُطبع الشيك: ⁨%1⁩. ⁨%2⁩</translation>
    </message>
</context>
<context>
    <name>Widgets</name>
    <message>
        <source>The count goes from %1 to %2: %3 becomes %4 when you leave the box.</source>
        <translation>العدد من ⁨%1⁩ إلى ⁨%2⁩: يصبح ⁨%3⁩ هو ⁨%4⁩ عند مغادرة الحقل.</translation>
    </message>
    <message>
        <source>This character cannot be kept in %1, which holds only the letters, digits and signs of the Windows Arabic code page (1256). Arabic-Indic digits, Persian letters and emoji are not among them.</source>
        <translation>لا يمكن حفظ هذا الحرف في ⁨%1⁩، الذي لا يحفظ إلا حروف صفحة ترميز ويندوز العربية (1256) وأرقامها وعلاماتها. وليست الأرقام الهندية ولا الحروف الفارسية ولا الرموز التعبيرية منها.</translation>
    </message>
    <message>
        <source> The sign «%1» ends an item there and cannot be typed either.</source>
        <translation> والعلامة «⁨%1⁩» تُنهي بنداً هناك فلا يمكن كتابتها أيضاً.</translation>
    </message>
</context>
</TS>
