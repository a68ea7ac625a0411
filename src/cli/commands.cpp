#include "cli/commands.h"

#include <functional>
#include <map>

#include "cli/messages.h"
#include "cli/options.h"
#include "text/errors.h"

namespace cli {

namespace {

// The usage, one command at a time, so that a change to one leaves the others' translations
// standing.
std::string usage() {
    std::string text = Tr("usage:");
    text += '\n';
    text +=
        Tr("  ssudomer-cli schedule --sum S --rate R --term T [--date DD.MM.YYYY]\n"
           "                        [--equal [--payment N] [--own]]\n"
           "                        [--fee F] [--fee-basis sum|balance|fixed] [--psk]\n"
           "                        [--csv] [--decimal-separator ,|.] [--pdf FILE]\n");
    text +=
        Tr("  ssudomer-cli register --sum S --rate R --term T --date DD.MM.YYYY\n"
           "                        [--overdue] [--forecast standard|average|fixed:AMOUNT]\n"
           "                        ( --pay DD.MM.YYYY:AMOUNT:KIND | --delete )...\n"
           "                        [--save FILE] [--csv] [--decimal-separator ,|.]\n"
           "                        [--pdf FILE]\n"
           "                        KIND: pi (П+%), deducted (П+%(вычет)), auto (АП)\n");
    text +=
        Tr("  ssudomer-cli show FILE.crp [--forecast standard|average|fixed:AMOUNT]\n"
           "                        [--csv] [--decimal-separator ,|.] [--pdf FILE]\n");
    text +=
        Tr("  ssudomer-cli plan --sum S --rate R --term T --date DD.MM.YYYY\n"
           "                        [--equal [--payment A]]\n"
           "                        [--prepay DD.MM.YYYY:AMOUNT:term|payment[:monthly]]...\n"
           "                        [--rate-change DD.MM.YYYY:RATE]...\n"
           "                        [--shift next|modified|none] [--payment-day D]\n"
           "                        [--calendar FILE]\n"
           "                        [--budget AMOUNT[:term|payment]]\n"
           "                        [--target-date DD.MM.YYYY]\n"
           "                        [--csv] [--decimal-separator ,|.] [--pdf FILE]\n"
           "                        [--chart FILE.png] [--save-plan FILE.crplan]\n"
           "  ssudomer-cli plan --plan-file FILE.crplan [the options of plan, each optional]\n");
    text +=
        Tr("  --date of schedule defaults to today\n"
           "  --psk adds the full cost of credit (ПСК) below the summary\n"
           "  --pdf FILE writes the pages of \"Печать платежей\" to FILE (A4);\n"
           "             of plan, the pages of the planner's \"Печать...\"\n"
           "  --chart FILE.png writes the planner's chart of the remaining balance\n"
           "  plan: differentiated payments unless --equal; a prepayment in mode term\n"
           "        shortens the loan, in mode payment lowers the monthly payment;\n"
           "        a payment due on a day off is made on the next working day\n"
           "        (--shift next), the same unless that leaves its month (modified)\n"
           "        or not moved (none); --payment-day D (1-31, 0 = the loan date's\n"
           "        day); --calendar FILE adds changes of the production calendar\n"
           "        to the user's own\n");
    text +=
        Tr("  --budget AMOUNT pays early, right after each regular payment, AMOUNT\n"
           "        less that payment (lowering the payment unless :term)\n"
           "  --target-date DD.MM.YYYY finds the smallest monthly prepayment in whole\n"
           "        roubles, from the first regular date and shortening the term, that\n"
           "        repays the loan by that date, and adds it to the plan\n");
    return text;
}

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> all = {{"schedule", RunSchedule},
                                                       {"register", RunRegister},
                                                       {"show", RunShow},
                                                       {"plan", RunPlanCommand}};
    return all;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << usage();
        return args.empty() ? kExitUsage : kExitOk;
    }
    const auto command = commands().find(args[0]);
    if (command == commands().end()) {
        err << "ssudomer-cli: " << Format(Tr("unknown command '%s'"), {loan::Excerpt(args[0])})
            << '\n'
            << usage();
        return kExitUsage;
    }
    try {
        return command->second({args.begin() + 1, args.end()}, out, err);
    } catch (const UsageError& error) {
        err << "ssudomer-cli: " << error.what() << '\n' << usage();
        return kExitUsage;
    }
}

}  // namespace cli
