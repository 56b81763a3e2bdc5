// A program made of rules alone: the build links every object of a rules
// library into it, so that a call into the screens' libraries fails the link.
int main()
{
    return 0;
}
